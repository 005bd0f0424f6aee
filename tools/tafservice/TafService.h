// A stand-in for the TAF web service. It answers queries of type 2 (distances), 3 (fiducial points of a
// municipality) and 4 (fiducial points near a position) from a folder:
//
//   *.taf  fixed-column TAF files; the province of a file is its base name up to the first '_'
//          ("AL_A123.taf" and "AL.taf" both belong to AL), upper-cased;
//   *.dis  fixed-column distance files.
//
// Answers are 8-bit text as the files hold it: one point per line, each field followed by '$' (the
// municipality first only in answers by position); distances as "PF../../..,PF../../..,ref,distance,SQM".
// A wrong check value, an unknown query or nothing found gives an answer that begins with "Warning".
#pragma once

#include <filesystem>
#include <iosfwd>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace tafservice {

struct Point {
    std::string province;
    std::string comune, foglio; // foglio is the four-character sheet code
    int numero = 0;
    std::string particella, descrPlan, nord, est, attP, foglioOr, allegOr, fiducOr, dataAgg, causaAgg;
    std::string descrQuota, attQ, quota;
};

struct Distance {
    std::string comune1, foglio1, numero1, comune2, foglio2, numero2, libretto, distanza, sqm;
};

using Params = std::multimap<std::string, std::string>;

// The check value over the query text as typed (UTF-8, counted in UTF-16 code units).
int Prot(const std::string& query);
// The sheet code of a sheet text and its annex.
std::string SheetCode(std::string sheet, char annex);

class Archive {
public:
    void Load(const std::filesystem::path& folder);
    // The answer body for decoded query parameters.
    std::string Answer(const Params& params) const;

    std::vector<Point> points;
    std::vector<Distance> distances;
    // Distance answers lose the '\n' of their last line, as an answer cut short does.
    bool openLastLine = false;
};

class Service {
public:
    explicit Service(Archive archive);
    ~Service();
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    // Binds 127.0.0.1 (port 0: a free one) and serves on a thread; the port, or -1.
    int Start(int port);
    void Stop();
    // Each request is written to `log` (null: none) as it is answered: method, target, status, size.
    void SetLog(std::ostream* log);

private:
    Archive m_archive;
    std::mutex m_logMutex;
    std::ostream* m_log = nullptr;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
};

} // namespace tafservice
