// The control font's translation table and its translator on a simulated machine, driven by
// automation scripts: the rows from the settings file, editing by button and double click,
// deleting, the 128-byte limit, OK rewriting the file, Cancel leaving it, and a failed write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "plugin/devmode/ControlTableFile.h"
#include "plugin/pages/ControlTableDialog.h"
#include "tests/support/scripted_machine.h"
#include "tests/support/transcript_checks.h"

namespace {

using namespace plugin;

constexpr const char* kDriverDir = "C:\\Windows\\system32\\spool\\drivers\\w32x86\\3";
constexpr const char16_t* kFile = u"C:\\Windows\\system32\\spool\\drivers\\w32x86\\3\\ZK450iNPCONTROL.ini";
constexpr const char16_t* kSection = u"Character Translation Table";

// `count` byte values "00 " in a row.
std::string Zeros(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "00 ";
    return text;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class ControlTableDialogTest : public testsupport::ScriptedMachineTest {
protected:
    void SetUp() override {
        auto process = Process("");
        for (const char* dir : {"C:\\Windows\\system32\\spool", "C:\\Windows\\system32\\spool\\drivers",
                                "C:\\Windows\\system32\\spool\\drivers\\w32x86", kDriverDir})
            process->files().CreateDirectoryA(dir);
    }
    void Store(const char16_t* section, const char16_t* key, const char16_t* value) {
        auto process = Process("");
        ASSERT_TRUE(process->profile().WritePrivateProfileStringW(section, key, value, kFile));
    }
    // The file's text, "(none)" when there is no file.
    std::string FileText() {
        auto process = Process("");
        std::vector<std::uint8_t> bytes;
        const std::u16string path(kFile);
        if (!process->files().ReadWholeFile(std::string(path.begin(), path.end()).c_str(), bytes)) return "(none)";
        return std::string(bytes.begin(), bytes.end());
    }
    // The keys of the file's lines, in order.
    std::vector<std::string> Keys() {
        std::vector<std::string> keys;
        const std::string text = FileText();
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(start, end - start);
            if (const std::size_t eq = line.find('='); eq != std::string::npos) keys.push_back(line.substr(0, eq));
            start = end + 1;
        }
        return keys;
    }
    std::u16string Value(const char16_t* key) {
        auto process = Process("");
        char16_t value[400] = {};
        process->profile().GetPrivateProfileStringW(kSection, key, u"", value, 400, kFile);
        return value;
    }

    struct Outcome {
        int result = 0;
        std::string transcript;
    };
    Outcome Run(const std::string& script) {
        const std::size_t before = Transcript().size();
        auto process = Process(script);
        ControlTableDialog dialog(*process);
        Outcome out;
        out.result = process->dialogs().RunModal(ControlTableDialog::kTemplateId, dialog);
        const std::vector<std::string> lines = Transcript();
        for (std::size_t i = before; i < lines.size(); ++i) out.transcript += lines[i] + "\n";
        return out;
    }
};

constexpr const char* kList = "1048 IDC_CONTROL_TABLE_LIST list view";

TEST_F(ControlTableDialogTest, WithoutTheSectionEveryPrintableCharacterIsAnEmptyRow) {
    // A file that holds another section only.
    Store(u"Other", u"41", u"1B 40");
    Outcome out = Run("show\nclick IDCANCEL\n");
    ASSERT_EQ(out.result, IDCANCEL) << out.transcript;
    EXPECT_TRUE(Has(out.transcript, "1047 IDC_CONTROL_TABLE_DRIVER read-only edit \"ZK450i Printer Driver\""));
    const std::vector<std::string> lines = testsupport::ControlStates(out.transcript, kList);
    ASSERT_EQ(lines.size(), 1u) << out.transcript;
    const std::string& list = lines[0];
    // 96 rows, 0x20 to 0x7F, each with its character, its code and no command.
    EXPECT_EQ(testsupport::CountInTranscript(list, " | \"\""), 96) << list;
    EXPECT_TRUE(Has(list, "rows [\" \" | \"20\" | \"\", \"!\" | \"21\" | \"\","));
    EXPECT_TRUE(Has(list, "\"@\" | \"40\" | \"\", \"A\" | \"41\" | \"\","));
    EXPECT_TRUE(Has(list, "\"~\" | \"7E\" | \"\", \"\x7F\" | \"7F\" | \"\"] full-row select")) << list;
    EXPECT_EQ(FileText().find("[Character"), std::string::npos);  // Cancel wrote nothing
}

TEST_F(ControlTableDialogTest, OkWritesOnlyTheCharactersThatHaveACommand) {
    // Double-clicking a row edits it as the Edit button does.
    Outcome out = Run("double-click-row 1048 A\n"
                      "expect-title Control Font Character Translator\n"
                      "expect-text IDC_TRANSLATOR_CHAR A\n"
                      "expect-text IDC_TRANSLATOR_HEX 41\n"
                      "type IDC_TRANSLATOR_COMMAND 1b 40\n"
                      "click IDOK\n"
                      "show\n"
                      "click IDOK\n");
    ASSERT_EQ(out.result, IDOK) << out.transcript;
    // The edited row shows the command formatted.
    EXPECT_TRUE(Has(out.transcript, "\"A\" | \"41\" | \"1B 40 \"")) << out.transcript;
    EXPECT_EQ(Keys(), std::vector<std::string>{"41"}) << FileText();
    EXPECT_TRUE(Has(FileText(), "[Character Translation Table]"));
    EXPECT_TRUE(Has(FileText(), "41=1B 40 "));
}

TEST_F(ControlTableDialogTest, DeletingACommandAndPressingOkRemovesItsKey) {
    Store(kSection, u"41", u"1B 40 ");
    Store(kSection, u"7E", u"0A ");
    Outcome out = Run("select-row 1048 A\nclick IDC_CONTROL_TABLE_DELETE\nshow\nclick IDOK\n");
    ASSERT_EQ(out.result, IDOK) << out.transcript;
    EXPECT_TRUE(Has(out.transcript, "\"A\" | \"41\" | \"\"")) << out.transcript;
    // The row was scrolled to (the one before it in view) and the list has the focus.
    EXPECT_TRUE(Has(testsupport::ControlStates(out.transcript, kList)[0], " focused"));
    EXPECT_EQ(Keys(), std::vector<std::string>{"7E"}) << FileText();
    EXPECT_EQ(Value(u"7E"), u"0A");
}

TEST_F(ControlTableDialogTest, TheTranslatorRefuses129BytesAndTakes128) {
    Outcome out = Run("select-row 1048 #33\n"  // "A"
                      "click IDC_CONTROL_TABLE_EDIT\n"
                      "type IDC_TRANSLATOR_COMMAND " + Zeros(129) + "\n"
                      "click IDOK\n"
                      "expect Command length error\n"
                      "answer OK\n"
                      "expect-title Control Font Character Translator\n"
                      "type IDC_TRANSLATOR_COMMAND " + Zeros(128) + "\n"
                      "click IDOK\n"
                      "click IDOK\n");
    ASSERT_EQ(out.result, IDOK) << out.transcript;
    const std::vector<std::string> boxes = testsupport::MessageBoxes(out.transcript);
    ASSERT_EQ(boxes.size(), 1u) << out.transcript;
    EXPECT_TRUE(Has(boxes[0], "message box \"Error\" [no icon, OK] \"Command length error\"")) << boxes[0];
    // The file keeps the 128 bytes (the profile drops the value's trailing space on reading).
    std::string stored = Zeros(128);
    stored.pop_back();
    EXPECT_EQ(Value(u"41"), std::u16string(stored.begin(), stored.end()));
}

TEST_F(ControlTableDialogTest, AStoredCommandShowsAsStoredUntilEditedAndTooLongOneIsNotEdited) {
    Store(kSection, u"41", u"1b40");
    Store(kSection, u"42", u"1D 56 42 00 ");
    const std::string tooLong = Zeros(129);
    Store(kSection, u"43", std::u16string(tooLong.begin(), tooLong.end()).c_str());
    Outcome out = Run("show\n"
                      "select-row 1048 C\n"
                      "click IDC_CONTROL_TABLE_EDIT\n"
                      "expect Command length error\n"
                      "answer OK\n"
                      "select-row 1048 A\n"
                      "click IDC_CONTROL_TABLE_EDIT\n"
                      "show\n"
                      "click IDOK\n"
                      "show\n"
                      "click IDOK\n");
    ASSERT_EQ(out.result, IDOK) << out.transcript;
    const std::vector<std::string> lists = testsupport::ControlStates(out.transcript, kList);
    ASSERT_EQ(lists.size(), 2u) << out.transcript;
    EXPECT_TRUE(Has(lists[0], "\"A\" | \"41\" | \"1b40\", \"B\" | \"42\" | \"1D 56 42 00\",")) << lists[0];
    // The too-long command opened no translator; "A" opened it with the command formatted.
    EXPECT_EQ(testsupport::CountInTranscript(out.transcript, "shows \"Control Font Character Translator\""), 1);
    EXPECT_TRUE(Has(out.transcript, "1052 IDC_TRANSLATOR_COMMAND multi-line edit \"1B 40 \"")) << out.transcript;
    // OK in the translator formats the edited row only; the others stay as stored.
    EXPECT_TRUE(Has(lists[1], "\"A\" | \"41\" | \"1B 40 \", \"B\" | \"42\" | \"1D 56 42 00\",")) << lists[1];
    EXPECT_TRUE(Has(FileText(), "41=1B 40 \r\n42=1D 56 42 00\r\n")) << FileText();
    EXPECT_EQ(Value(u"43"), std::u16string(tooLong.begin(), tooLong.end() - 1));
}

TEST_F(ControlTableDialogTest, CancelInEitherDialogChangesNothing) {
    Store(kSection, u"41", u"1B 40 ");
    const std::string before = FileText();
    Outcome out = Run("select-row 1048 A\n"
                      "click IDC_CONTROL_TABLE_EDIT\n"
                      "type IDC_TRANSLATOR_COMMAND 0A\n"
                      "click IDCANCEL\n"
                      "show\n"
                      "select-row 1048 B\n"
                      "click IDC_CONTROL_TABLE_EDIT\n"
                      "type IDC_TRANSLATOR_COMMAND 0D\n"
                      "click IDOK\n"
                      "click IDCANCEL\n");
    ASSERT_EQ(out.result, IDCANCEL) << out.transcript;
    EXPECT_TRUE(Has(out.transcript, "\"A\" | \"41\" | \"1B 40\"")) << out.transcript;
    EXPECT_EQ(FileText(), before);
}

TEST_F(ControlTableDialogTest, EditWithoutASelectedRowDoesNothing) {
    Outcome out = Run("click IDC_CONTROL_TABLE_EDIT\nclick IDC_CONTROL_TABLE_DELETE\nclick IDCANCEL\n");
    ASSERT_EQ(out.result, IDCANCEL) << out.transcript;
    EXPECT_FALSE(Has(out.transcript, "Control Font Character Translator"));
    EXPECT_TRUE(testsupport::MessageBoxes(out.transcript).empty());
}

TEST_F(ControlTableDialogTest, AFailedWriteIsReportedAndTheDialogStaysOpen) {
    auto process = Process("");
    ASSERT_TRUE(process->files().RemoveDirectoryA(kDriverDir));
    Outcome out = Run("double-click-row 1048 A\n"
                      "type IDC_TRANSLATOR_COMMAND 1B 40\n"
                      "click IDOK\n"
                      "click IDOK\n"
                      "expect Please check if user has administrator privileges!\n"
                      "answer OK\n"
                      "expect-title Control Font Character Translation Table\n"
                      "click IDCANCEL\n");
    ASSERT_EQ(out.result, IDCANCEL) << out.transcript;
    const std::vector<std::string> boxes = testsupport::MessageBoxes(out.transcript);
    ASSERT_EQ(boxes.size(), 1u) << out.transcript;
    EXPECT_TRUE(Has(boxes[0], "message box \"Error\" [error icon, OK]")) << boxes[0];
}

}  // namespace
