// mirelrep keeps every character: its command line arrives as UTF-16, /utf8 writes UTF-8,
// and an output in the ANSI code page that had to put "?" for a character says so and
// exits with 8.
#include <gtest/gtest.h>

#include <string>

#include "base/narrow.h"
#include "base/text_util.h"
#include "console/character_loss.h"
#include "console/console_output.h"
#include "console/report_output.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "tests/console/child_process.h"
#include "tests/support/temp_files.h"

namespace {

const std::string kDisplayName = "サービス café ✓ ® ™ 𝄞";

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A service of the test's own in the real service manager, deleted however the test ends.
class OwnService {
public:
    explicit OwnService(const std::wstring& displayName)
        : manager_(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE))
    {
        const std::wstring name =
            L"MirelTest" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(GetTickCount());
        service_ = CreateServiceW(manager_, name.c_str(), displayName.c_str(), DELETE, SERVICE_WIN32_OWN_PROCESS,
                                  SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, L"C:\\windows\\system32\\notepad.exe",
                                  nullptr, nullptr, nullptr, nullptr, nullptr);
    }
    OwnService(const OwnService&) = delete;
    OwnService& operator=(const OwnService&) = delete;
    ~OwnService()
    {
        if (service_) {
            DeleteService(service_);
            CloseServiceHandle(service_);
        }
        if (manager_)
            CloseServiceHandle(manager_);
    }
    bool Created() const { return service_ != nullptr; }

private:
    SC_HANDLE manager_;
    SC_HANDLE service_ = nullptr;
};

// Standard input or output replaced for the life of the object.
class StdHandleSwap {
public:
    StdHandleSwap(DWORD which, HANDLE handle) : which_(which), previous_(GetStdHandle(which))
    {
        SetStdHandle(which, handle);
    }
    StdHandleSwap(const StdHandleSwap&) = delete;
    StdHandleSwap& operator=(const StdHandleSwap&) = delete;
    ~StdHandleSwap() { SetStdHandle(which_, previous_); }

private:
    DWORD which_;
    HANDLE previous_;
};

}  // namespace

// Run under the Japanese locale as well: the name reaches the messages, the progress of
// many computers and the summary unchanged.
TEST(JapaneseConsole, HostNamesKeepEveryCharacter)
{
    const bool japanese = TextLanguage() == kJapaneseLanguage;
    const std::string host = "テスト.invalid";
    ChildRun utf8 = RunMirelrep(host + " /utf8");
    EXPECT_EQ(utf8.exitCode, 3u);
    const std::string after = japanese ? " " : "\r\n";   // the Japanese sentence names the host inside
    EXPECT_TRUE(Contains(utf8.err, " " + host + after)) << utf8.err;
    ChildRun ansi = RunMirelrep(host);
    EXPECT_EQ(ansi.exitCode, 3u);
    EXPECT_TRUE(Contains(ansi.err, japanese ? " \x83\x65\x83\x58\x83\x67.invalid " : " ???.invalid\r\n"))
        << ansi.err;

    TempFolder folder("mirel-characters");
    const std::string outDir = folder.File("");
    ChildRun many = RunMirelrep(host + " /utf8 \"/outdir:" + outDir.substr(0, outDir.size() - 1) + "\"");
    EXPECT_EQ(many.exitCode, 7u);
    EXPECT_TRUE(Contains(many.err, "[1/1] " + host + ": ")) << many.err;
    const std::string summary = ReadFile(folder.File("summary.csv"));
    EXPECT_TRUE(summary.starts_with("\xEF\xBB\xBF"));
    EXPECT_TRUE(Contains(summary, "\r\n\"" + host + "\",")) << summary;
}

TEST(Utf8Output, ServiceNameByteForByteWithUtf8AndWarnedAboutInAnsi)
{
    OwnService service(L"サービス café ✓ ® ™ 𝄞");
    ASSERT_TRUE(service.Created()) << GetLastError();
    const std::string row = ",\"DisplayName\",\"VT_BSTR\",\"" + kDisplayName + "\"\r\n";

    ChildRun toOutput = RunMirelrep("/q /utf8 /class:Win32_Service");
    ASSERT_EQ(toOutput.exitCode, 0u) << toOutput.err;
    EXPECT_TRUE(toOutput.out.starts_with("\xEF\xBB\xBF\"Group\",")) << "standard output is a file here";
    EXPECT_TRUE(Contains(toOutput.out, row));

    const std::string path = TempPath("mirel_services.csv");
    ChildRun ansi = RunMirelrep("/q /class:Win32_Service \"/out:" + path + "\"");
    EXPECT_EQ(ansi.exitCode, 8u);
    const std::string written = ReadFile(path);
    EXPECT_TRUE(written.starts_with("\"Group\","));
    EXPECT_TRUE(Contains(written, ",\"DisplayName\",\"VT_BSTR\",\"???? caf\xE9 ? \xAE \x99 ??\"\r\n"))
        << "code page 1252 has é, ® and ™";
    EXPECT_EQ(ansi.err, ToAnsi(FillIn(LoadText(IDS_REPORT_CHARACTERS_LOST), path, kDisplayName) + "\r\n" +
                               LoadText(IDS_REPORT_USE_UTF8) + "\r\n").bytes);

    ChildRun utf8 = RunMirelrep("/q /utf8 /class:Win32_Service \"/out:" + path + "\"");
    EXPECT_EQ(utf8.exitCode, 0u) << utf8.err;
    EXPECT_EQ(utf8.err, "");
    EXPECT_TRUE(ReadFile(path).starts_with("\xEF\xBB\xBF\"Group\","));
    EXPECT_TRUE(Contains(ReadFile(path), row));
    DeleteFileA(path.c_str());
}

TEST(Utf8Output, APipeGetsUtf8WithoutMark)
{
    HANDLE reader = nullptr, writer = nullptr;
    ASSERT_TRUE(CreatePipe(&reader, &writer, nullptr, 0));
    {
        StdHandleSwap output(STD_OUTPUT_HANDLE, writer);
        StdHandleSink sink(STD_OUTPUT_HANDLE, true, StreamUse::Result);
        EXPECT_TRUE(sink.Write(kDisplayName + "\n"));
        EXPECT_FALSE(sink.LostCharacters());
    }
    CloseHandle(writer);
    char bytes[64] = {};
    DWORD read = 0;
    ReadFile(reader, bytes, sizeof bytes, &read, nullptr);
    CloseHandle(reader);
    EXPECT_EQ(std::string(bytes, read), kDisplayName + "\r\n");
}

// The first lossy line is kept (é is in code page 1252, サ is not), and its value named.
TEST(CharacterLoss, NamesTheFirstValueTheCodePageLacksAndCountsTheResults)
{
    SetTextLanguage(kEnglishLanguage);
    StringTextSink clean, lossy;
    clean.Write("\"1\",\"Name\",\"VT_BSTR\",\"caf\xC3\xA9\"\n");
    lossy.Write("\"1\",\"Name\",\"VT_BSTR\",\"caf\xC3\xA9\"\n\"2\",\"DisplayName\",\"VT_BSTR\",\"サービス\"\n");
    lossy.Write("\"3\",\"Name\",\"VT_BSTR\",\"✓\"\n");
    CharacterLoss loss;
    loss.Note(clean, "a.csv");
    EXPECT_FALSE(loss.Any());
    loss.Note(lossy, "b.csv");
    loss.Note(lossy, "c.csv");
    EXPECT_EQ(loss.Warning(), "Warning: characters that the ANSI code page does not have were written as \"?\" "
                              "in b.csv (and 1 more), first in: サービス\n"
                              "Use /utf8 to write UTF-8, which keeps every character.");
    EXPECT_EQ(LostValueOf("1000\tWin32_X\tテスト クラス\t3"), "テスト クラス");
    EXPECT_EQ(LostValueOf("\t\t\"Disk\",\"" + std::string(100, 'a') + "𝄞b\""),
              "..." + std::string(20, 'a') + "𝄞b") << "long values keep the lost character in view";
    SetTextLanguage(0);
}

// Values with line breaks from a service of the test's own: the CSV keeps them as they
// came (CR LF as CR LF, LF as LF); the text report writes each as one space.
TEST(ExactFiles, LineBreaksOfAValueStayWhatTheyWere)
{
    OwnService service(L"Mirel two\r\nlines and\nanother");
    ASSERT_TRUE(service.Created()) << GetLastError();
    const std::string path = TempPath("mirel_breaks.csv");
    ChildRun csv = RunMirelrep("/q /class:Win32_Service \"/out:" + path + "\"");
    ASSERT_EQ(csv.exitCode, 0u) << csv.err;
    EXPECT_TRUE(Contains(ReadFile(path), ",\"DisplayName\",\"VT_BSTR\",\"Mirel two\r\nlines and\nanother\"\r\n"));
    ChildRun report = RunMirelrep("/q \"/out:" + path + "\"");
    ASSERT_EQ(report.exitCode, 0u) << report.err;
    EXPECT_TRUE(Contains(ReadFile(path), "\"Mirel two lines and another\"")) << "one line per row";
    DeleteFileA(path.c_str());
}
