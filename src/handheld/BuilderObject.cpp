#include "handheld/BuilderObject.h"

#include <system_error>
#include <utility>

#include "platform/RunProgram.h"

namespace ledgora {

namespace com = platform::com;

BuilderObject BuilderObject::create(const platform::Paths& paths,
                                    const platform::Registry& registry) {
    const auto library = paths.programFile(kLibrary);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(library, ec)) {
        return {};
    }
    // Registering at every start keeps the class pointing at this installation's library;
    // a failed registration still lets an earlier one serve.
    platform::runProgram(paths.programFile(kRegistrationProgram), {"/s", library.string()},
                         paths.programFolder());
    void* object = nullptr;
    if (com::FAILED(com::CoCreateInstance(registry, trellisk::CLSID_Trellisk, nullptr,
                                          com::CLSCTX_INPROC_SERVER, trellisk::IID_ITrellisk,
                                          &object)) ||
        object == nullptr) {
        return {};
    }
    return BuilderObject(static_cast<trellisk::ITrellisk*>(object));
}

BuilderObject::~BuilderObject() {
    if (object_ != nullptr) {
        object_->Release();
    }
}

BuilderObject::BuilderObject(BuilderObject&& other) noexcept
    : object_(std::exchange(other.object_, nullptr)) {}

BuilderObject& BuilderObject::operator=(BuilderObject&& other) noexcept {
    if (this != &other) {
        if (object_ != nullptr) {
            object_->Release();
        }
        object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
}

} // namespace ledgora
