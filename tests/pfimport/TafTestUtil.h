// Files made for the purpose: a private folder per test and TAF lines built column by column.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

namespace taftest {

class Cartella {
public:
    Cartella() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_Path = std::filesystem::temp_directory_path() /
                 ("pregeo_taf_" + std::to_string(::getpid()) + "_" + (info ? info->name() : "x"));
        std::filesystem::remove_all(m_Path);
        std::filesystem::create_directories(m_Path);
    }
    ~Cartella() {
        std::error_code ec;
        std::filesystem::remove_all(m_Path, ec);
    }
    std::filesystem::path Scrivi(const std::string& nome, const std::string& contenuto) const {
        const auto path = m_Path / nome;
        std::ofstream(path, std::ios::binary) << contenuto;
        return path;
    }
    const std::filesystem::path& Path() const { return m_Path; }

private:
    std::filesystem::path m_Path;
};

// A TAF line: fields right-aligned where the cadastre right-aligns them, 251 characters without line end.
struct RigaTaf {
    std::string comune = "A123", foglio = "12", allegato = " ", numero = "7", particella = "45",
                descrPlan = "SPIGOLO FABBRICATO", nord = "5012345.67", est = "1501234.50", attP = "3",
                foglioOr = "12", allegOr = " ", fiducOr = "7", dataAgg = "150399", causaAgg = "NUOVO",
                descrQuota = "MARCIAPIEDE", attQ = "2", quota = "123.45";

    std::string Testo() const {
        std::string s(251, ' ');
        auto left = [&](std::size_t col, std::size_t len, const std::string& v) {
            s.replace(col, std::min(len, v.size()), v.substr(0, len));
        };
        auto right = [&](std::size_t col, std::size_t len, const std::string& v) {
            const std::string t = v.substr(0, len);
            s.replace(col + len - t.size(), t.size(), t);
        };
        left(0, 5, comune);
        right(5, 5, foglio);
        left(11, 1, allegato);
        right(13, 4, numero);
        left(18, 11, particella);
        left(30, 70, descrPlan);
        right(101, 12, nord);
        right(114, 12, est);
        right(127, 2, attP);
        right(130, 4, foglioOr);
        left(135, 1, allegOr);
        right(137, 4, fiducOr);
        left(142, 6, dataAgg);
        left(149, 15, causaAgg);
        left(165, 70, descrQuota);
        right(236, 2, attQ);
        right(241, 10, quota);
        return s;
    }
};

} // namespace taftest
