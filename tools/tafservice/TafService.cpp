#include "TafService.h"

#include <ostream>

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <ostream>

namespace tafservice {

namespace {

std::string Sub(const std::string& s, std::size_t first, std::size_t length) {
    return first < s.size() ? s.substr(first, length) : std::string();
}

std::string TrimLeft(std::string s) {
    s.erase(0, s.find_first_not_of(" \t\r\n"));
    return s;
}

std::string TrimRight(std::string s) {
    const auto last = s.find_last_not_of(" \t\r\n");
    s.erase(last == std::string::npos ? 0 : last + 1);
    return s;
}

std::string Trim(std::string s) {
    return TrimLeft(TrimRight(std::move(s)));
}

std::string NoBlanks(std::string s) {
    s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\r' || c == '\n'; }),
            s.end());
    return s;
}

// '$' separates the answer's fields, so it cannot appear inside one.
std::string Field(std::string s) {
    std::replace(s.begin(), s.end(), '$', ' ');
    return s;
}

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

double Number(const std::string& s) {
    const std::string t = Trim(s);
    if (t.empty())
        return 0;
    std::string copy = t;
    std::replace(copy.begin(), copy.end(), ',', '.');
    return std::strtod(copy.c_str(), nullptr);
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Param(const Params& params, const std::string& key) {
    const auto it = params.find(key);
    return it == params.end() ? std::string() : it->second;
}

std::u16string Utf16(const std::string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::uint32_t cp = b;
        std::size_t extra = 0;
        if (b >= 0xF0)
            cp = b & 0x07, extra = 3;
        else if (b >= 0xE0)
            cp = b & 0x0F, extra = 2;
        else if (b >= 0xC0)
            cp = b & 0x1F, extra = 1;
        ++i;
        for (std::size_t k = 0; k < extra && i < text.size(); ++k, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string PointLine(const Point& p, bool withComune) {
    std::string line;
    if (withComune)
        line += p.comune + '$';
    line += p.foglio + '$';
    line += std::to_string(p.numero) + '$';
    for (const std::string* f : {&p.descrPlan, &p.nord, &p.est, &p.attP, &p.quota, &p.descrQuota, &p.attQ,
                                 &p.particella, &p.foglioOr, &p.allegOr, &p.fiducOr, &p.dataAgg, &p.causaAgg})
        line += Field(*f) + '$';
    return line + '\n';
}

bool SamePoint(const std::string& comune, const std::string& foglio, const std::string& numero,
               const std::string& qComune, const std::string& qFoglio, const std::string& qNumero) {
    return comune == qComune && foglio == qFoglio && std::atoi(numero.c_str()) == std::atoi(qNumero.c_str());
}

} // namespace

int Prot(const std::string& query) {
    const std::u16string q = Utf16(query);
    const std::size_t n = q.size();
    if (n == 0)
        return 27;
    std::uint32_t total = 0;
    for (std::size_t i = 0; i < n; ++i)
        total += static_cast<std::uint32_t>(q[i] + q[n - 1 - i] + 4 * i);
    total -= q[0];
    return static_cast<std::int32_t>(total * 10u + 27u);
}

std::string SheetCode(std::string sheet, char annex) {
    sheet = sheet.substr(0, 5);
    while (sheet.size() < 3)
        sheet.insert(sheet.begin(), '0');
    if (sheet == "999" || sheet == "9999")
        sheet = "zzz";
    else if (sheet.size() == 4)
        sheet = std::string(1, static_cast<char>(std::atoi(sheet.c_str()) / 100 + 55)) + sheet.substr(2);
    return sheet + (annex == ' ' || annex == '\0' ? '0' : annex);
}

void Archive::Load(const std::filesystem::path& folder) {
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        const std::string ext = Upper(path.extension().string());
        if (ext == ".TAF") {
            const std::string stem = path.stem().string();
            const std::string province = Upper(stem.substr(0, stem.find('_')));
            for (const std::string& line : ReadLines(path)) {
                if (Trim(line).empty())
                    continue;
                Point p;
                p.province = province;
                p.comune = Trim(Sub(line, 0, 5));
                const std::string annex = Sub(line, 11, 1);
                p.foglio = SheetCode(TrimLeft(Sub(line, 5, 5)), annex.empty() ? ' ' : annex[0]);
                p.numero = std::abs(std::atoi(Sub(line, 13, 4).c_str()));
                p.particella = TrimRight(Sub(line, 18, 11));
                p.descrPlan = TrimRight(Sub(line, 30, 70));
                p.nord = Trim(Sub(line, 101, 12));
                p.est = Trim(Sub(line, 114, 12));
                p.attP = Trim(Sub(line, 127, 2));
                p.foglioOr = Trim(Sub(line, 130, 4));
                p.allegOr = Sub(line, 135, 1);
                p.fiducOr = Trim(Sub(line, 137, 4));
                p.dataAgg = Sub(line, 142, 6);
                p.causaAgg = TrimRight(Sub(line, 149, 15));
                p.descrQuota = TrimRight(Sub(line, 165, 70));
                p.attQ = Trim(Sub(line, 236, 2));
                p.quota = Trim(Sub(line, 241, 10));
                points.push_back(std::move(p));
            }
        } else if (ext == ".DIS") {
            for (const std::string& line : ReadLines(path)) {
                if (line.size() < 49)
                    continue;
                Distance d;
                auto number = [](std::string n) {
                    n = NoBlanks(std::move(n));
                    while (n.size() < 2)
                        n.insert(n.begin(), '0');
                    return n;
                };
                d.comune1 = NoBlanks(Sub(line, 0, 6));
                d.foglio1 = SheetCode(NoBlanks(Sub(line, 6, 4)), line[11]);
                d.numero1 = number(Sub(line, 12, 6));
                d.comune2 = NoBlanks(Sub(line, 18, 6));
                d.foglio2 = SheetCode(NoBlanks(Sub(line, 24, 4)), line[29]);
                d.numero2 = number(Sub(line, 30, 6));
                d.libretto = NoBlanks(Sub(line, 36, 13));
                const std::string rest = Sub(line, 49, std::string::npos);
                std::size_t a = rest.find_first_not_of(' ');
                std::size_t b = rest.find(' ', a == std::string::npos ? rest.size() : a);
                d.distanza = a == std::string::npos ? std::string() : rest.substr(a, b - a);
                a = rest.find_first_not_of(' ', b == std::string::npos ? rest.size() : b);
                b = rest.find(' ', a == std::string::npos ? rest.size() : a);
                d.sqm = a == std::string::npos ? std::string() : rest.substr(a, b - a);
                distances.push_back(std::move(d));
            }
        }
    }
}

std::string Archive::Answer(const Params& params) const {
    const std::string tipo = Param(params, "tipo");
    std::vector<std::string> keys;
    if (tipo == "2")
        keys = {"codice", "foglio", "pf", "codice2", "pf2", "foglio2", "distanze"};
    else if (tipo == "3")
        keys = {"codice", "foglio", "pf", "raggio", "x", "y"};
    else if (tipo == "4")
        keys = {"prov", "raggio", "x", "y"};
    else
        return "Warning: tipo di richiesta sconosciuto\n";
    std::string query;
    for (const std::string& key : keys)
        query += (query.empty() ? "" : "&") + key + "=" + Param(params, key);
    if (Param(params, "prot") != std::to_string(Prot(query)))
        return "Warning: richiesta non valida\n";

    std::string answer;
    if (tipo == "2") {
        const std::string c1 = Param(params, "codice"), f1 = Param(params, "foglio"),
                          n1 = Param(params, "pf");
        const std::string c2 = Param(params, "codice2"), f2 = Param(params, "foglio2"),
                          n2 = Param(params, "pf2");
        const bool anySecond = !c2.empty() || !f2.empty() || !n2.empty();
        for (const Distance& d : distances) {
            const bool forward = SamePoint(d.comune1, d.foglio1, d.numero1, c1, f1, n1) &&
                                 (!anySecond || SamePoint(d.comune2, d.foglio2, d.numero2, c2, f2, n2));
            const bool backward = anySecond && SamePoint(d.comune2, d.foglio2, d.numero2, c1, f1, n1) &&
                                  SamePoint(d.comune1, d.foglio1, d.numero1, c2, f2, n2);
            if (!forward && !backward)
                continue;
            answer += "PF" + d.numero1 + "/" + d.foglio1 + "/" + d.comune1 + ",PF" + d.numero2 + "/" +
                      d.foglio2 + "/" + d.comune2 + "," + d.libretto + "," + d.distanza + "," + d.sqm + "\n";
        }
        if (answer.empty())
            return "Warning: nessuna distanza trovata\n";
        if (openLastLine)
            answer.pop_back();
        return answer;
    }
    if (tipo == "3") {
        const std::string comune = Param(params, "codice");
        std::vector<std::string> sheets;
        const std::string list = Param(params, "foglio");
        for (std::size_t start = 0; start < list.size();) {
            const std::size_t comma = std::min(list.find(',', start), list.size());
            if (comma > start)
                sheets.push_back(Trim(list.substr(start, comma - start)));
            start = comma + 1;
        }
        for (const Point& p : points)
            if (p.comune == comune &&
                (sheets.empty() || std::find(sheets.begin(), sheets.end(), p.foglio) != sheets.end()))
                answer += PointLine(p, false);
        return answer.empty() ? "Warning: nessun punto fiduciale trovato\n" : answer;
    }
    const std::string province = Upper(Param(params, "prov"));
    const double radius = Number(Param(params, "raggio"));
    const double east = Number(Param(params, "x"));
    const double north = Number(Param(params, "y"));
    if (radius > 0)
        for (const Point& p : points)
            if (p.province == province && std::hypot(Number(p.nord) - north, Number(p.est) - east) <= radius)
                answer += PointLine(p, true);
    return answer.empty() ? "Warning: nessun punto fiduciale trovato\n" : answer;
}

Service::Service(Archive archive)
    : m_archive(std::move(archive)), m_server(std::make_unique<httplib::Server>()) {
    m_server->Get("/tafservice/tafservice.php", [this](const httplib::Request& req, httplib::Response& res) {
        res.set_content(m_archive.Answer(req.params), "text/plain; charset=windows-1252");
    });
    m_server->set_logger([this](const httplib::Request& req, const httplib::Response& res) {
        // The target is the client's: bytes that could drive the terminal are not written as they are.
        std::string target = req.target.empty() ? req.path : req.target;
        for (char& c : target)
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
                c = '?';
        const std::lock_guard<std::mutex> lock(m_logMutex);
        if (m_log)
            *m_log << "tafservice: " << req.method << " " << target << " -> " << res.status << ", "
                   << res.body.size() << " byte" << std::endl;
    });
}

void Service::SetLog(std::ostream* log) {
    const std::lock_guard<std::mutex> lock(m_logMutex);
    m_log = log;
}

Service::~Service() {
    Stop();
}

int Service::Start(int port) {
    if (m_thread.joinable())
        return -1;
    int bound = -1;
    if (port == 0)
        bound = m_server->bind_to_any_port("127.0.0.1");
    else
        bound = m_server->bind_to_port("127.0.0.1", port) ? port : -1;
    if (bound < 0)
        return -1;
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // A stop before the loop runs would be lost, so the service counts as started only once it listens.
    for (int i = 0; i < 5000 && !m_server->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return bound;
}

void Service::Stop() {
    if (m_thread.joinable()) {
        m_server->stop();
        m_thread.join();
    }
}

} // namespace tafservice
