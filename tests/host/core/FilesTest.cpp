#include "host/core/HostContext.h"
#include "host/core/Limits.h"
#include "hostapi/Booklet.h"
#include "hostapi/Conversions.h"
#include "hostapi/FileIO.h"
#include "hostapi/Resources.h"
#include "hostapi/Settings.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sys/resource.h>
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
    void TearDown() override {
        fs::remove_all(dir);
        host::ClearMemoryFiles();
        host::SetSettingsWriteNotice(nullptr);
    }
    void Write(const fs::path& rel, const std::string& bytes) {
        std::ofstream(dir / rel, std::ios::binary) << bytes;
    }
    std::string Read(const fs::path& rel) {
        std::string bytes;
        host::ReadFileBounded(dir / rel, host::kMaxTafBytes, bytes);
        return bytes;
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
        host::SetMemoryFile(dir / "m.txt", forma); // the fuzz targets' files read alike
        for (const char16_t* mode : {u"rt", u"rb"}) {
            for (const int count : {1, 2, 5, 1023}) {
                for (const char16_t* nome : {u"f.txt", u"m.txt"}) {
                    LettoreAByte atteso{forma, mode[1] == u't'};
                    const std::unique_ptr<PlatformFile, int (*)(PlatformFile*)> f(
                        _wfopen(FGetSpecialFolderPathAndSubDir(0, nome).c_str(), mode), fclose);
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

// Settings files as people's editors leave them: any line end, mixed, a byte-order mark, no end on the
// last line, sections and keys in another case. A value written reads back, and the write changes only
// what it must.
TEST_F(Files, SettingsWrittenReadBackWhateverTheLineEnds) {
    struct Caso {
        const char* come;
        std::string prima;
        const char16_t* letto; // TAF_COMUNE before the write
        std::string dopo;
    };
    const Caso casi[] = {
        {"CR alone after the section, nothing else", "[catasto]\r\r", u"",
         "[catasto]\r\rTAF_COMUNE=G337 x=y\r"},
        {"LF, a new key at its section's end", "[CATASTO]\nTAF_PROVINCIA=PR\n\n[PregeoTollDist]\nZone=1\n",
         u"", "[CATASTO]\nTAF_PROVINCIA=PR\n\nTAF_COMUNE=G337 x=y\n[PregeoTollDist]\nZone=1\n"},
        {"CR LF, the last line without its end", "[CATASTO]\r\nTAF_COMUNE=A123\r\n[Altro]\r\nX=1", u"A123",
         "[CATASTO]\r\nTAF_COMUNE=G337 x=y\r\n[Altro]\r\nX=1"},
        {"CR alone", "[CATASTO]\rTAF_COMUNE=A123\rTAF_FOGLIO=0120\r", u"A123",
         "[CATASTO]\rTAF_COMUNE=G337 x=y\rTAF_FOGLIO=0120\r"},
        {"mixed, the key in another case, blanks around '='",
         "; nota\r\n[Catasto]\rtaf_comune = A123\n[x]\r\n", u"A123",
         "; nota\r\n[Catasto]\rtaf_comune = G337 x=y\n[x]\r\n"},
        {"two sections differing in case: the first holds the key",
         "[catasto]\nTaf_Comune=A\n[CATASTO]\nTAF_COMUNE=B\n", u"A",
         "[catasto]\nTaf_Comune=G337 x=y\n[CATASTO]\nTAF_COMUNE=B\n"},
        {"two sections differing in case: the key only in the second",
         "[catasto]\nX=1\n[CATASTO]\nTAF_COMUNE=B\n", u"",
         "[catasto]\nX=1\nTAF_COMUNE=G337 x=y\n[CATASTO]\nTAF_COMUNE=B\n"},
        {"a new key after a last line without its end", "[CATASTO]\r\nTAF_PROVINCIA=PR", u"",
         "[CATASTO]\r\nTAF_PROVINCIA=PR\r\nTAF_COMUNE=G337 x=y\r\n"},
        {"byte-order mark", "\xEF\xBB\xBF[CATASTO]\r\nTAF_COMUNE=A\r\n", u"A",
         "\xEF\xBB\xBF[CATASTO]\r\nTAF_COMUNE=G337 x=y\r\n"},
        {"no section: a new one with the file's line end", "X=1\r", u"",
         "X=1\r[CATASTO]\rTAF_COMUNE=G337 x=y\r"},
        {"empty file", "", u"", "[CATASTO]\nTAF_COMUNE=G337 x=y\n"},
    };
    for (const Caso& c : casi) {
        Write("impostazioni.ini", c.prima);
        CIniFile ini;
        EXPECT_EQ(ini.GetString(u"CATASTO", u"TAF_COMUNE", u""), c.letto) << c.come;
        EXPECT_TRUE(ini.WriteString(u"CATASTO", u"TAF_COMUNE", u"G337 x=y")) << c.come;
        EXPECT_EQ(ini.GetString(u"catasto", u"taf_comune", u""), u"G337 x=y") << c.come;
        EXPECT_EQ(Read("impostazioni.ini"), c.dopo) << c.come;
    }
}

// A write the file system refuses answers false, tells the user which file and why, leaves the file as
// it was, and counts the value as not kept until a later write of it succeeds.
TEST_F(Files, SettingsWriteThatFailsIsToldAndCounted) {
    std::vector<WString> avvisi;
    host::SetSettingsWriteNotice([&](const WString& testo) { avvisi.push_back(testo); });
    Write("file.txt", "x");
    Write("sola-lettura.ini", "[CATASTO]\nTAF_COMUNE=A123\n");
    fs::permissions(dir / "sola-lettura.ini",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_directories(dir / "cartella.ini");
    struct Caso {
        fs::path file;
        const char* causa;
    };
    const Caso casi[] = {{dir / "sola-lettura.ini", "il file è di sola lettura"},
                         {dir / "cartella.ini", "è una cartella"},
                         {dir / "file.txt" / "impostazioni.ini", "una parte del percorso non è una cartella"},
                         {dir / "nessuna" / "impostazioni.ini", "la cartella non esiste"}};
    for (const Caso& c : casi) {
        avvisi.clear();
        CIniFile ini(WString::FromUtf8(c.file.string()));
        EXPECT_FALSE(ini.WriteDouble(u"CATASTO", u"TAF_RAGGIO", 300)) << c.file;
        EXPECT_EQ(avvisi,
                  std::vector<WString>{WString::FromUtf8("Impossibile salvare le impostazioni nel file " +
                                                         c.file.string() + ": " + c.causa + ".")});
        EXPECT_EQ(ini.GetDouble(u"CATASTO", u"TAF_RAGGIO", -1), -1) << c.file;
    }
    std::vector<fs::path> persi = host::SettingsNotKept();
    std::sort(persi.begin(), persi.end());
    EXPECT_EQ(persi, (std::vector<fs::path>{casi[1].file, casi[2].file, casi[3].file, casi[0].file}));
    EXPECT_EQ(Read("sola-lettura.ini"), "[CATASTO]\nTAF_COMUNE=A123\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4); // no temporary left

    fs::permissions(dir / "sola-lettura.ini", fs::perms::owner_write, fs::perm_options::add);
    fs::remove(dir / "cartella.ini");
    fs::remove(dir / "file.txt");
    fs::create_directories(dir / "file.txt");
    fs::create_directories(dir / "nessuna");
    for (const Caso& c : casi)
        EXPECT_TRUE(CIniFile(WString::FromUtf8(c.file.string())).WriteDouble(u"CATASTO", u"TAF_RAGGIO", 300));
    EXPECT_EQ(host::SettingsNotKept(), std::vector<fs::path>());
    EXPECT_EQ(Read("sola-lettura.ini"), "[CATASTO]\nTAF_COMUNE=A123\nTAF_RAGGIO=300\n");
}

// A full disk, played by the limit on file sizes: the write fails and the old file stays whole.
TEST_F(Files, SettingsWriteOnAFullDiskKeepsTheOldFile) {
    std::vector<WString> avvisi;
    host::SetSettingsWriteNotice([&](const WString& testo) { avvisi.push_back(testo); });
    const std::string prima = "[CATASTO]\nPATH_TAF=" + std::string(990, 'x') + "\n";
    Write("impostazioni.ini", prima);
    struct rlimit limite {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limite), 0);
    const auto segnale = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit piccolo = limite;
    piccolo.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &piccolo), 0);
    const bool scritto = CIniFile().WriteDouble(u"CATASTO", u"TAF_RAGGIO", 300);
    ::setrlimit(RLIMIT_FSIZE, &limite);
    ::signal(SIGXFSZ, segnale);
    EXPECT_FALSE(scritto);
    EXPECT_EQ(avvisi, std::vector<WString>{WString::FromUtf8("Impossibile salvare le impostazioni nel file " +
                                                             (dir / "impostazioni.ini").string() +
                                                             ": il file supera la dimensione consentita.")});
    EXPECT_EQ(Read("impostazioni.ini"), prima);
    EXPECT_TRUE(CIniFile().WriteDouble(u"CATASTO", u"TAF_RAGGIO", 300));
    EXPECT_EQ(host::SettingsNotKept(), std::vector<fs::path>());
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
