// A builder object on its own temporary folder, registry and fixed date, with helpers to
// build small databases in one call.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "TestSupport.h"
#include "builder/TTrellisk.h"

namespace trellisk::test {

class BuilderTest : public ::testing::Test {
protected:
    BuilderTest()
        : registry_(dir_.path() / "registry"), clock_(platform::DateTime{2024, 3, 15, 10, 30, 0}) {
        recreate();
    }

    // A fresh object, as a new COM instance would be (user discovery runs again).
    void recreate() {
        TrelliskOptions options;
        options.indexFile = dir_.path() / "PennaroPalm.ind";
        options.encodingKey = [this] {
            if (keys_.empty()) {
                return std::uint8_t{0x10};
            }
            const std::uint8_t k = keys_.front();
            keys_.pop_front();
            return k;
        };
        builder_ = std::make_unique<TTrellisk>(registry_, clock_, options);
    }

    std::string file(const std::string& name) const { return dir_.file(name); }
    std::string contents(const std::string& name) const { return readAll(dir_.path() / name); }

    // Opens NAME.pdb for writing with creator ABCD and type DATA.
    void open(const std::string& name, const std::string& pdbName = "Base") {
        ASSERT_EQ(builder_->PDBopen(file(name), "ABCD", "DATA", pdbName), NO_ERROR);
    }

    TempFolder dir_;
    platform::Registry registry_;
    platform::FixedClock clock_;
    std::deque<std::uint8_t> keys_;
    std::unique_ptr<TTrellisk> builder_;
};

} // namespace trellisk::test
