// The builder object the program holds for its whole run: the library shipped in the
// program folder is registered with the registration program, then the Trellisk class is
// created through COM, by its class identifier only. Released when the holder goes.
#pragma once

#include "builder/ITrellisk.h"
#include "platform/Paths.h"
#include "platform/Registry.h"

namespace ledgora {

class BuilderObject {
public:
    static constexpr const char* kLibrary = "libtrellisk.so";
    static constexpr const char* kRegistrationProgram = "regsvr";

    BuilderObject() = default;
    // Runs "regsvr /s <program folder>/libtrellisk.so" in the program folder and waits for
    // it, then creates the object with the classes of `registry`. Empty when the library
    // is missing or the object cannot be created.
    static BuilderObject create(const platform::Paths& paths, const platform::Registry& registry);

    ~BuilderObject();
    BuilderObject(BuilderObject&& other) noexcept;
    BuilderObject& operator=(BuilderObject&& other) noexcept;
    BuilderObject(const BuilderObject&) = delete;
    BuilderObject& operator=(const BuilderObject&) = delete;

    trellisk::ITrellisk* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    explicit BuilderObject(trellisk::ITrellisk* object) : object_(object) {}

    trellisk::ITrellisk* object_ = nullptr;
};

} // namespace ledgora
