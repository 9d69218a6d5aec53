#include "platform/win32/wrappers/system_error_text.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

// The system's message as it is stored, inserts and all, without its line break.
std::string RawMessage(DWORD code) {
    char* buffer = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = buffer ? buffer : "";
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

TEST(SystemErrorText, TheFileTakesThePlaceOfItsInsert) {
    const std::string file = "C:\\Games\\Wildmere\\Bin32\\Wildmere.exe";
    for (DWORD code : {ERROR_BAD_EXE_FORMAT, ERROR_INVALID_ORDINAL, ERROR_MR_MID_NOT_FOUND}) {
        ASSERT_NE(RawMessage(code).find("%1"), std::string::npos) << code << ": " << RawMessage(code);
        const std::string text = SystemErrorText(code, file);
        EXPECT_NE(text.find(file), std::string::npos) << text;
        EXPECT_EQ(text.find('%'), std::string::npos) << text;
        EXPECT_EQ(text.find('\n'), std::string::npos) << text;
    }
    std::string expected = RawMessage(ERROR_BAD_EXE_FORMAT);
    expected.replace(expected.find("%1"), 2, file);
    EXPECT_EQ(SystemErrorText(ERROR_BAD_EXE_FORMAT, file), expected);
}

TEST(SystemErrorText, InsertsWithoutAFileAreDroppedWithTheirBlank) {
    for (DWORD code : {ERROR_BAD_EXE_FORMAT, ERROR_INVALID_ORDINAL, ERROR_MR_MID_NOT_FOUND}) {
        const std::string text = SystemErrorText(code);
        EXPECT_EQ(text.find('%'), std::string::npos) << text;
        EXPECT_EQ(text.find("  "), std::string::npos) << text;
        EXPECT_EQ(text.find(" ."), std::string::npos) << text;
        EXPECT_NE(text.front(), ' ') << text;
    }
    EXPECT_EQ(SystemErrorText(ERROR_FILE_NOT_FOUND, "C:\\x.exe"), RawMessage(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(SystemErrorText(0x7FFFFFF0), "Error 2147483632.");
}

}  // namespace
}  // namespace wmb
