// A library that is no COM server: it exports none of the Dll* entry points.
extern "C" int comTestNothing() {
    return 0;
}
