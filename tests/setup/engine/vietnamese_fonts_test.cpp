// The Vietnamese font copy on simulated machines: both folders into the font directory, fonts
// already there kept, and the folders' absence.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "setup/engine/VietnameseFonts.h"
#include "tests/support/package_machine.h"

namespace {

namespace fs = std::filesystem;

class FontsOnSim : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::PackageMachineOptions options;
        options.preset = "xp-x86";
        std::string error;
        machine_ = testsupport::PackageMachine::Create({}, options, error);
        ASSERT_TRUE(machine_) << error;
        fonts_ = machine_->HostPath("C:\\Windows\\Fonts");
        ASSERT_FALSE(fonts_.empty());
    }
    bool Put(const std::string& path, const std::string& bytes) {
        return machine_->WriteFile("C:\\Pkg\\" + path, bytes);
    }
    bool Install() { return setup::InstallVietnameseFonts(machine_->platform()); }
    std::string Font(const std::string& name) const {
        std::ifstream in(fonts_ / name, std::ios::binary);
        if (!in) return "(missing)";
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::set<std::string> FontDirectory() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(fonts_))
            names.insert(entry.path().filename().string());
        return names;
    }

    std::unique_ptr<testsupport::PackageMachine> machine_;
    fs::path fonts_;
};

TEST_F(FontsOnSim, BothFoldersAreCopiedAndAPresentFontIsKept) {
    const std::set<std::string> before = FontDirectory();
    ASSERT_TRUE(Put("TCVN3 Font\\VNTIME.TTF", "tcvn3 time"));
    ASSERT_TRUE(Put("TCVN3 Font\\VNARIAL.TTF", "tcvn3 arial, new"));
    ASSERT_TRUE(Put("VNI Font\\VNI-TIME.TTF", "vni time"));
    // A subfolder is an entry too; copying it fails without harm, as "." and ".." do.
    ASSERT_TRUE(Put("VNI Font\\old\\VNI-OLD.TTF", "old"));
    ASSERT_TRUE(machine_->WriteFile("C:\\Windows\\Fonts\\VNARIAL.TTF", "installed before"));

    EXPECT_TRUE(Install());

    EXPECT_EQ(Font("VNTIME.TTF"), "tcvn3 time");
    EXPECT_EQ(Font("VNARIAL.TTF"), "installed before");
    EXPECT_EQ(Font("VNI-TIME.TTF"), "vni time");
    std::set<std::string> expected = before;
    expected.insert({"VNTIME.TTF", "VNARIAL.TTF", "VNI-TIME.TTF"});
    EXPECT_EQ(FontDirectory(), expected) << "nothing else, no \".\", \"..\" or \"old\"";
}

TEST_F(FontsOnSim, WithoutTheTcvn3FolderNoVniFontIsCopied) {
    ASSERT_TRUE(Put("VNI Font\\VNI-TIME.TTF", "vni time"));
    EXPECT_FALSE(Install());
    EXPECT_EQ(Font("VNI-TIME.TTF"), "(missing)");
}

TEST_F(FontsOnSim, WithoutTheVniFolderTheTcvn3FontsAreCopiedAndTheResultIsFalse) {
    ASSERT_TRUE(Put("TCVN3 Font\\VNTIME.TTF", "tcvn3 time"));
    EXPECT_FALSE(Install());
    EXPECT_EQ(Font("VNTIME.TTF"), "tcvn3 time");
}

TEST_F(FontsOnSim, AnEmptyTcvn3FolderStillLetsTheVniFontsThrough) {
    ASSERT_TRUE(fs::create_directories(machine_->HostPath("C:\\Pkg\\TCVN3 Font")));
    ASSERT_TRUE(Put("VNI Font\\VNI-TIME.TTF", "vni time"));
    EXPECT_TRUE(Install());
    EXPECT_EQ(Font("VNI-TIME.TTF"), "vni time");
}

TEST(ExamplePackageFonts, BothFoldersCarryFontsAndTheirLicence) {
    for (const char* folder : {setup::kTcvn3FontFolder, setup::kVniFontFolder}) {
        const fs::path dir = testsupport::ExamplePackage() / folder;
        int fonts = 0;
        bool licence = false;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            if (entry.path().extension() == ".ttf" || entry.path().extension() == ".TTF") {
                ++fonts;
                // Small enough for a driver package, large enough to be a font.
                EXPECT_GT(entry.file_size(), 2000u) << name;
                EXPECT_LT(entry.file_size(), 100000u) << name;
            }
            if (name.find("LICENSE") != std::string::npos) licence = true;
        }
        EXPECT_GE(fonts, 1) << folder;
        EXPECT_TRUE(licence) << folder;
    }
}

}  // namespace
