#include "host/core/HostContext.h"
#include "hostapi/Booklet.h"
#include "hostapi/Conversions.h"
#include "hostapi/FileIO.h"
#include "hostapi/Resources.h"
#include "hostapi/Settings.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <thread>
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

TEST_F(Files, DevicePathsMatchWithoutRegardToCase) {
    Write("Support/TipoAggTessaro.dat", "1|x|*|*\n");
    EXPECT_EQ(ReadLines(FGetSpecialFolderPathAndSubDir(0, u"SUPPORT\\tipoaggtessaro.DAT"), 254).size(), 1u);
    EXPECT_EQ(ReadLines(u"SUPPORT\\tipoaggtessaro.DAT", 254).size(), 1u); // relative: from the install folder
    EXPECT_EQ(_wfopen((dir.u16string() + u"/Support/missing.txt").c_str(), u"rt"), nullptr);
    EXPECT_EQ(_wfopen(FGetSpecialFolderPathAndSubDir(0, u"Support").c_str(), u"rt"), nullptr);
    EXPECT_EQ(_wfopen(FGetSpecialFolderPathAndSubDir(0, u"Support\\TipoAggTessaro.dat").c_str(), u"w"),
              nullptr);
}

// The reader as it used to be, one byte at a time: what every read of the block reader must give.
struct LettoreAByte {
    const std::string& bytes;
    bool text;
    std::size_t pos = 0;
    std::string Leggi(int count) {
        std::string out;
        while (static_cast<int>(out.size()) < count - 1 && pos < bytes.size()) {
            char c = bytes[pos++];
            if (c == '\r' && text && pos < bytes.size() && bytes[pos] == '\n')
                c = bytes[pos++];
            out += c;
            if (c == '\n')
                break;
        }
        return out;
    }
};

TEST_F(Files, BlockReadsGiveWhatByteReadsGave) {
    std::mt19937 rnd(7);
    std::string mista;
    for (int i = 0; i < 200000; ++i)
        mista += "abcdefgh\r\n\0\x80\x9F\xE9\xFF"[rnd() % 15];
    const std::string blocco(65535, 'x'); // the next byte is the first of the second 64 KiB block
    const std::string forme[] = {"",
                                 "\n",
                                 "\r",
                                 "\r\n",
                                 "a\rb\r\r\nc\n\r",
                                 "ultima senza fine",
                                 std::string("\0a\0\n\0", 5),
                                 std::string(3000, 'y') + "\r\n" + std::string(1022, 'z') + "\n",
                                 blocco + "\r\nz",
                                 blocco + "\rz",
                                 blocco + "\r",
                                 blocco + "x\r\n",
                                 mista};
    for (const std::string& forma : forme) {
        Write("f.txt", forma);
        for (const char16_t* mode : {u"rt", u"rb"}) {
            for (const int count : {1, 2, 5, 1023}) {
                LettoreAByte atteso{forma, mode[1] == u't'};
                const std::unique_ptr<PlatformFile, int (*)(PlatformFile*)> f(
                    _wfopen(FGetSpecialFolderPathAndSubDir(0, u"f.txt").c_str(), mode), fclose);
                ASSERT_NE(f, nullptr);
                std::vector<char16_t> wide(static_cast<std::size_t>(count) + 1, u'#');
                std::vector<char> narrow(wide.size(), '#');
                // Wide and 8-bit reads take turns on the same file.
                for (int lettura = 0;; ++lettura) {
                    const std::string righe = atteso.Leggi(count);
                    const bool larga = lettura % 2 == 0;
                    const bool letta = larga ? fgetws(wide.data(), count, f.get()) != nullptr
                                             : fgets(narrow.data(), count, f.get()) != nullptr;
                    ASSERT_EQ(letta, !righe.empty()) << forma.size() << " bytes, read " << lettura;
                    for (std::size_t i = 0; i <= righe.size(); ++i) {
                        const unsigned char b = i < righe.size() ? righe[i] : 0;
                        if (larga)
                            ASSERT_EQ(wide[i], CharFromCp1252(b))
                                << "read " << lettura << ", character " << i;
                        else
                            ASSERT_EQ(narrow[i], static_cast<char>(b))
                                << "read " << lettura << ", byte " << i;
                    }
                    if (!letta)
                        break;
                }
            }
        }
    }
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

// Every file the module reads has a bound by its kind; past it the file does not open, as one that cannot
// be read, whatever it is: a regular file, a device that never ends, a pipe. Pipes within the bound read.
TEST_F(Files, FilesPastTheirBoundDoNotOpen) {
    const auto apre = [](const WString& path) {
        PlatformFile* f = _wfopen(path.c_str(), u"rt");
        if (f)
            fclose(f);
        return f != nullptr;
    };
    const std::string mega(1024 * 1024, 'x');
    const auto scrivi = [&](const fs::path& rel, std::size_t mib, std::size_t extra) {
        std::ofstream out(dir / rel, std::ios::binary);
        for (std::size_t i = 0; i < mib; ++i)
            out << mega;
        out << std::string(extra, 'x');
    };
    fs::create_directories(dir / "taf");
    scrivi("Support/Collegi.txt", 4, 0);
    scrivi("Support/Comuni.txt", 4, 1);
    scrivi("taf/grande.DIS", 16, 1);
    scrivi("taf/provincia.taf", 5, 0);
    fs::create_symlink("/dev/zero", dir / "taf" / "infinito.taf");
    fs::create_symlink("/dev/urandom", dir / "taf" / "casuale.dis");
    const struct {
        const char16_t* path;
        bool apre;
    } casi[] = {
        {u"Support\\Collegi.txt", true}, // 4 MiB, a support file's bound
        {u"Support\\Comuni.txt", false}, // a byte more
        {u"taf\\grande.dis", false},     // a distance file of 16 MiB and a byte
        {u"taf\\provincia.taf", true},   // a TAF file may be larger
        {u"taf\\infinito.taf", false},   // a link to /dev/zero: the read ends at 128 MiB
        {u"taf\\casuale.dis", false},    // a link to /dev/urandom
    };
    for (const auto& c : casi)
        EXPECT_EQ(apre(FGetSpecialFolderPathAndSubDir(0, c.path)), c.apre) << WString(c.path);
    CCtsComuni comuni;
    EXPECT_FALSE(comuni.CaricaElenco(u"PR"));

    const fs::path tubo = dir / "taf" / "tubo.taf";
    ASSERT_EQ(::mkfifo(tubo.c_str(), 0600), 0);
    std::thread scrittore([&] { std::ofstream(tubo, std::ios::binary) << "riga 1\r\nriga 2"; });
    const auto lines = ReadLines(WString::FromUtf8(tubo.string()), 1024);
    scrittore.join();
    EXPECT_EQ(lines, (std::vector<WString>{u"riga 1\n", u"riga 2"}));
}

// A settings file past its bound is read as holding nothing and never written over: the write would lose
// what it holds.
TEST_F(Files, SettingsPastTheirBoundAreNeitherReadNorWritten) {
    Write("impostazioni.ini", "[CATASTO]\nTAF_TYPE_SEL=0\n" + std::string(1024 * 1024, ';'));
    const auto before = fs::file_size(dir / "impostazioni.ini");
    CIniFile ini;
    EXPECT_EQ(ini.GetShort(u"CATASTO", u"TAF_TYPE_SEL", 1), 1);
    EXPECT_FALSE(ini.WriteShort(u"CATASTO", u"TAF_TYPE_SEL", 2));
    EXPECT_EQ(fs::file_size(dir / "impostazioni.ini"), before);
    fs::remove(dir / "impostazioni.ini");
    fs::create_symlink("/dev/zero", dir / "impostazioni.ini");
    EXPECT_EQ(ini.GetShort(u"CATASTO", u"TAF_TYPE_SEL", 1), 1);
    EXPECT_FALSE(ini.WriteShort(u"CATASTO", u"TAF_TYPE_SEL", 2));
    EXPECT_TRUE(fs::is_symlink(dir / "impostazioni.ini"));
}
