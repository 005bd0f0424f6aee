#include "hostapi/Internet.h"
#include "host/core/Limits.h"
#include "host/net/NetLimits.h"
#include "hostapi/WString.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

class InternetTest : public ::testing::Test {
protected:
    httplib::Server server;
    std::thread thread;
    int port = -1;
    HINTERNET session = nullptr;

    void SetUp() override {
        server.Get("/ok", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content("ciao " + req.get_header_value("User-Agent") + " " +
                                req.get_header_value("X-Prova"),
                            "text/plain");
        });
        server.Get("/grande", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(5000, 'x'), "text/plain");
        });
        server.Get("/lento", [](const httplib::Request&, httplib::Response& res) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            res.set_content("tardi", "text/plain");
        });
        server.Get("/sposta",
                   [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/ok"); });
        port = server.bind_to_any_port("127.0.0.1");
        ASSERT_GT(port, 0);
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        session = InternetOpenW(u"Agente di prova", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
        ASSERT_NE(session, nullptr);
    }
    void TearDown() override {
        InternetCloseHandle(session);
        server.stop();
        if (thread.joinable())
            thread.join();
        host::SetNetLimits({});
    }
    std::u16string Url(const char* path) const {
        const std::string url = "http://127.0.0.1:" + std::to_string(port) + path;
        return std::u16string(url.begin(), url.end());
    }
    HINTERNET Open(const char* path, const char16_t* headers = nullptr) {
        return InternetOpenUrlW(session, Url(path).c_str(), headers, 0, INTERNET_FLAG_NO_CACHE_WRITE, 0);
    }
};

// An unreachable host is shown through the web client in TafServiceTest.

TEST_F(InternetTest, FollowsRedirectsReadsTheAnswerInPiecesThenReportsItsEnd) {
    HINTERNET file = Open("/sposta", u"X-Prova: uno\r\n");
    ASSERT_NE(file, nullptr);
    DWORD available = 0;
    ASSERT_TRUE(InternetQueryDataAvailable(file, &available, 0, 0));
    const std::string expected = "ciao Agente di prova uno";
    EXPECT_EQ(available, expected.size());
    std::string got;
    char buffer[5];
    DWORD read = 0;
    while (InternetReadFile(file, buffer, sizeof buffer, &read) && read > 0)
        got.append(buffer, read);
    EXPECT_EQ(got, expected);
    ASSERT_TRUE(InternetQueryDataAvailable(file, &available, 0, 0));
    EXPECT_EQ(available, 0u);
    EXPECT_TRUE(InternetReadFile(file, buffer, sizeof buffer, &read));
    EXPECT_EQ(read, 0u);
    EXPECT_TRUE(InternetCloseHandle(file));
}

// An error page is an answer: the status tells it, as a number or as text.
TEST_F(InternetTest, StatusOfTheAnswer) {
    struct Caso {
        const char* path;
        DWORD status;
    } casi[] = {{"/ok", 200}, {"/sposta", 200}, {"/manca", 404}};
    for (const Caso& c : casi) {
        HINTERNET file = Open(c.path);
        ASSERT_NE(file, nullptr) << c.path;
        DWORD status = 0;
        DWORD length = sizeof status;
        EXPECT_TRUE(
            HttpQueryInfoW(file, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &length, nullptr));
        EXPECT_EQ(status, c.status) << c.path;
        char16_t text[4];
        length = 2;
        EXPECT_FALSE(HttpQueryInfoW(file, HTTP_QUERY_STATUS_CODE, text, &length, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
        EXPECT_EQ(length, sizeof text);
        EXPECT_TRUE(HttpQueryInfoW(file, HTTP_QUERY_STATUS_CODE, text, &length, nullptr));
        EXPECT_EQ(std::u16string(text), std::u16string(WString::Formatted(u"%u", c.status).view()));
        EXPECT_EQ(length, 3 * sizeof(char16_t));
        EXPECT_FALSE(HttpQueryInfoW(file, 1 /* content type */, text, &length, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_HTTP_HEADER_NOT_FOUND);
        InternetCloseHandle(file);
    }
    DWORD status = 0;
    DWORD length = sizeof status;
    EXPECT_FALSE(
        HttpQueryInfoW(session, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &length, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
}

// No answer: a null handle, and the cause in GetLastError.
TEST_F(InternetTest, FailuresShowAtTheOpen) {
    host::NetLimits limits;
    limits.maxAnswerBytes = 1000;
    host::SetNetLimits(limits);
    EXPECT_EQ(Open("/grande"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    limits.maxAnswerBytes = 5000;
    host::SetNetLimits(limits);
    HINTERNET exact = Open("/grande");
    EXPECT_NE(exact, nullptr);
    InternetCloseHandle(exact);
    limits.totalTimeoutMs = 300;
    host::SetNetLimits(limits);
    // The cause says that the bound, not the slow answer, ended the request.
    EXPECT_EQ(Open("/lento"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_TIMEOUT);
    server.stop(); // nobody listens on the port any more
    thread.join();
    EXPECT_EQ(Open("/ok"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_CANNOT_CONNECT);
}

TEST_F(InternetTest, BadArgumentsAndHandles) {
    EXPECT_EQ(InternetOpenUrlW(nullptr, Url("/ok").c_str(), nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(InternetOpenUrlW(session, nullptr, nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(InternetOpenUrlW(session, u"file:///etc/passwd", nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(InternetOpenUrlW(session, u"ftp://127.0.0.1/x", nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    EXPECT_EQ(InternetOpenUrlW(session, u"http://", nullptr, 0, 0, 0), nullptr);
    DWORD n = 7;
    char buffer[4];
    EXPECT_FALSE(InternetQueryDataAvailable(session, &n, 0, 0)); // a session is not a document
    EXPECT_FALSE(InternetReadFile(session, buffer, sizeof buffer, &n));
    EXPECT_EQ(n, 0u);
    EXPECT_FALSE(InternetQueryDataAvailable(nullptr, &n, 0, 0));
    EXPECT_FALSE(InternetReadFile(nullptr, buffer, sizeof buffer, &n));
    EXPECT_FALSE(InternetCloseHandle(nullptr));
    HINTERNET file = Open("/ok");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(InternetReadFile(file, nullptr, 4, &n));
    EXPECT_FALSE(InternetReadFile(file, buffer, 4, nullptr));
    EXPECT_FALSE(InternetQueryDataAvailable(file, nullptr, 0, 0));
    InternetCloseHandle(file);
}

} // namespace

// The module's own message names neither the server nor the cause: each failed request is told beside it,
// with its address and why, in a person's words.
TEST_F(InternetTest, FailuresAreToldWithServerAndCause) {
    std::vector<std::string> detti;
    host::SetInputNotice([&](const std::string& t) { detti.push_back(t); });
    host::NetLimits limits;
    limits.totalTimeoutMs = 200;
    limits.maxAnswerBytes = 1000;
    host::SetNetLimits(limits);
    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    const struct {
        std::u16string url;
        std::string detto; // empty: nothing to tell
    } casi[] = {
        {Url("/ok"), ""},
        {Url("/manca"),
         "richiesta web a " + base + "/manca non riuscita: il server ha risposto con lo stato 404"},
        {Url("/lento"),
         "richiesta web a " + base + "/lento non riuscita: il server non ha risposto in tempo"},
        {Url("/grande"),
         "richiesta web a " + base + "/grande non riuscita: la risposta supera il limite di 1000 byte"},
        {u"http://127.0.0.1:1/x", "richiesta web a http://127.0.0.1:1/x non riuscita: connessione rifiutata"},
    };
    for (const auto& c : casi) {
        detti.clear();
        HINTERNET file = InternetOpenUrlW(session, c.url.c_str(), nullptr, 0, 0, 0);
        if (file)
            InternetCloseHandle(file);
        EXPECT_EQ(detti, c.detto.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.detto});
    }
    host::SetInputNotice(nullptr);
}
