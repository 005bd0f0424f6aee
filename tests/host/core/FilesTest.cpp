#include "host/core/HostContext.h"
#include "hostapi/Conversions.h"
#include "hostapi/FileIO.h"
#include "hostapi/Resources.h"
#include "hostapi/Settings.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("pregeo-files-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "Support");
        host::SetFolders({dir, dir / "lavori", dir / "impostazioni.ini"});
    }
    void TearDown() override { fs::remove_all(dir); }
    void Write(const fs::path& rel, const std::string& bytes) {
        std::ofstream(dir / rel, std::ios::binary) << bytes;
    }
    std::vector<WString> ReadLines(const WString& path, int count) {
        std::vector<WString> lines;
        PlatformFile* f = _wfopen(path.c_str(), u"rt");
        if (!f)
            return lines;
        std::vector<char16_t> buffer(static_cast<std::size_t>(count));
        while (fgetws(buffer.data(), count, f))
            lines.emplace_back(buffer.data());
        fclose(f);
        return lines;
    }
    fs::path dir;
};

} // namespace

TEST_F(Files, TextModeKeepsLineEndsDropsCrBeforeLfAndDecodesTheCodePage) {
    Write("Support/a.txt", "PR Parma\r\nFO Forl\xEC\nlone\rcr\r\nlast");
    const auto lines = ReadLines(FGetSpecialFolderPathAndSubDir(0, u"Support\\a.txt"), 1024);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], u"PR Parma\n");
    EXPECT_EQ(lines[1], u"FO Forlì\n");
    EXPECT_EQ(lines[2], u"lone\rcr\n");
    EXPECT_EQ(lines[3], u"last");
}

TEST_F(Files, LongLinesArriveInPiecesOfCountMinusOne) {
    Write("long.txt", std::string(10, 'x') + "\n");
    const auto lines = ReadLines(FGetSpecialFolderPathAndSubDir(0, u"long.txt"), 5);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], u"xxxx");
    EXPECT_EQ(lines[2], u"xx\n");
}

TEST_F(Files, DevicePathsMatchWithoutRegardToCase) {
    Write("Support/TipoAggTessaro.dat", "1|x|*|*\n");
    EXPECT_EQ(ReadLines(FGetSpecialFolderPathAndSubDir(0, u"SUPPORT\\tipoaggtessaro.DAT"), 254).size(), 1u);
    EXPECT_EQ(ReadLines(u"SUPPORT\\tipoaggtessaro.DAT", 254).size(), 1u); // relative: from the install folder
    EXPECT_EQ(_wfopen((dir.u16string() + u"/Support/missing.txt").c_str(), u"rt"), nullptr);
    EXPECT_EQ(_wfopen(FGetSpecialFolderPathAndSubDir(0, u"Support").c_str(), u"rt"), nullptr);
    EXPECT_EQ(_wfopen(FGetSpecialFolderPathAndSubDir(0, u"Support\\TipoAggTessaro.dat").c_str(), u"w"),
              nullptr);
}

TEST_F(Files, BinaryModeAndEightBitLinesKeepCarriageReturns) {
    Write("b.txt", "ab\r\ncd");
    PlatformFile* f = _wfopen(FGetSpecialFolderPathAndSubDir(0, u"b.txt").c_str(), u"rb");
    ASSERT_NE(f, nullptr);
    char buffer[16];
    ASSERT_NE(fgets(buffer, 16, f), nullptr);
    EXPECT_STREQ(buffer, "ab\r\n");
    ASSERT_NE(fgets(buffer, 16, f), nullptr);
    EXPECT_STREQ(buffer, "cd");
    EXPECT_EQ(fgets(buffer, 16, f), nullptr);
    fclose(f);
}

TEST_F(Files, FindFilesByWildcardSorted) {
    fs::create_directories(dir / "lavori");
    Write("lavori/B.DIS", "");
    Write("lavori/a.dis", "");
    Write("lavori/c.txt", "");
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((FGetSpecialFolderPathAndSubDir(CARTELLA_LAVORI, u"*.dis")).c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::vector<WString> names{WString(data.cFileName)};
    while (FindNextFileW(h, &data))
        names.emplace_back(data.cFileName);
    FindClose(h);
    EXPECT_EQ(names, (std::vector<WString>{u"B.DIS", u"a.dis"}));
    EXPECT_EQ(FindFirstFileW(FGetSpecialFolderPathAndSubDir(1, u"*.taf").c_str(), &data),
              INVALID_HANDLE_VALUE);
}

TEST_F(Files, SettingsAreTypedWithDefaultsAndKeepOtherLines) {
    Write(
        "impostazioni.ini",
        "; nota del "
        "tecnico\n[catasto]\nTAF_TYPE_SEL=0\nTAF_NORD=abc\nTAF_EST=nan\nTAF_RAGGIO=1e999\n\n[Altro]\nX=1\n");
    CIniFile ini;
    EXPECT_EQ(ini.GetShort(u"CATASTO", u"TAF_TYPE_SEL", 1), 0);
    EXPECT_EQ(ini.GetShort(u"CATASTO", u"MANCA", 7), 7);
    for (const char16_t* chiave : {u"TAF_NORD", u"TAF_EST", u"TAF_RAGGIO"})
        EXPECT_EQ(ini.GetDouble(u"CATASTO", chiave, REALE_INDEFINITO), REALE_INDEFINITO) << WString(chiave);
    EXPECT_EQ(ini.GetLong(u"Altro", u"X", 0), 1);
    EXPECT_EQ(ini.GetString(u"CATASTO", u"DIST_MAX", u"500"), u"500");

    EXPECT_TRUE(ini.WriteDouble(u"CATASTO", u"TAF_NORD", 4960123.456));
    EXPECT_TRUE(ini.WriteBool(u"CATASTO", u"TAF_CHKNOTUSE", true));
    EXPECT_TRUE(ini.WriteString(u"PregeoTollDist", u"Nota", u"a\nb"));
    EXPECT_EQ(ini.GetDouble(u"CATASTO", u"TAF_NORD", 0), 4960123.456);
    EXPECT_TRUE(ini.GetBool(u"CATASTO", u"TAF_CHKNOTUSE", false));
    EXPECT_EQ(ini.GetString(u"PregeoTollDist", u"Nota", u""), u"a b");
    EXPECT_EQ(ini.GetLong(u"Altro", u"X", 0), 1);

    std::ifstream in(dir / "impostazioni.ini");
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "; nota del tecnico");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2); // no temporary left
}

TEST_F(Files, SettingsWriteFailsCleanlyWhenTheFolderIsGone) {
    CIniFile ini(WString::FromUtf8((dir / "nessuna" / "x.ini").string()));
    EXPECT_FALSE(ini.WriteShort(u"A", u"B", 1));
    EXPECT_EQ(ini.GetShort(u"A", u"B", 9), 9);
}
