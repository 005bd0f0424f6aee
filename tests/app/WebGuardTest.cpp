// What pregeo-host serve lets in: the decisions on each request, table by table.
#include "app/WebGuard.h"
#include "host/core/ModuleHost.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace host::web;

TEST(WebGuard, OnlyTheTokenThroughTheServersOwnNames) {
    const std::string token = "0123456789abcdef0123456789abcdef";
    struct Caso {
        const char* nome;
        Richiesta r;
        int atteso;
    };
    const Caso casi[] = {
        {"the page", {token, "127.0.0.1:8090", "", false}, 0},
        {"by localhost, from the page", {token, "localhost:8090", "http://localhost:8090", true}, 0},
        {"no token", {"", "127.0.0.1:8090", "", false}, 403},
        {"a wrong token", {"0123456789abcdef0123456789abcdee", "127.0.0.1:8090", "", false}, 403},
        {"the token and more", {token + "0", "127.0.0.1:8090", "", false}, 403},
        {"a rebound name", {token, "example.com:8090", "", false}, 403},
        {"another port", {token, "127.0.0.1:8091", "", false}, 403},
        {"no Host", {token, "", "", false}, 403},
        {"another site", {token, "127.0.0.1:8090", "http://example.com", true}, 403},
        {"a sandboxed frame", {token, "127.0.0.1:8090", "null", true}, 403},
        {"an empty Origin", {token, "127.0.0.1:8090", "", true}, 403},
        {"https on the same port", {token, "127.0.0.1:8090", "https://127.0.0.1:8090", true}, 403},
    };
    for (const Caso& c : casi)
        EXPECT_EQ(Ammessa(c.r, token, 8090), c.atteso) << c.nome;
    EXPECT_EQ(Ammessa({"", "127.0.0.1:8090", "", false}, "", 8090), 403)
        << "a server without a token lets nobody in";
}

TEST(WebGuard, ABodyIsAnObjectOfBoundedTexts) {
    struct Caso {
        std::string body;
        int atteso;
    };
    const Caso casi[] = {
        {R"({"c": "abc", "azione": "click 1"})", 0},
        {R"({"c": "abc", "strumento": "FPregeoEditRiga9"})", 0},
        {R"({"c": "abc"})", 0},
        {"", 400},
        {"{", 400},
        {"[1, 2]", 400},
        {R"("c")", 400},
        {R"({"azione": "click 1"})", 400},
        {R"({"c": ""})", 400},
        {R"({"c": 5})", 400},
        {R"({"c": "abc", "azione": ["click 1"]})", 400},
        {R"({"c": "abc", "altro": "x"})", 400},
        {R"({"c": ")" + std::string(65, 'x') + R"("})", 400},
        {R"({"c": "abc", "azione": ")" + std::string(kMaxAzione + 1, 'x') + R"("})", 400},
        {std::string(kMaxBody + 1, ' '), 413},
    };
    for (const Caso& c : casi) {
        Corpo corpo;
        std::string why;
        EXPECT_EQ(LeggiCorpo(c.body, corpo, why), c.atteso) << c.body.substr(0, 80);
        EXPECT_EQ(why.empty(), c.atteso == 0) << c.body.substr(0, 80);
    }
}

TEST(WebGuard, TheStartPageListsEveryToolOnceInItsGroup) {
    std::set<std::string> titoli;
    for (const auto& e : host::ModuleExports()) {
        EXPECT_NE(std::string(Gruppo(e.name)), "") << e.name;
        EXPECT_TRUE(titoli.insert(Titolo(e.name)).second) << e.name << ": " << Titolo(e.name);
    }
    EXPECT_EQ(titoli.size(), 16u);
    EXPECT_EQ(std::string(Titolo("FPregeoAltro")), "");
}

TEST(WebGuard, TokensAreFreshAndHex) {
    const std::string a = NuovoToken(), b = NuovoToken();
    EXPECT_EQ(a.size(), 32u);
    EXPECT_EQ(a.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_NE(a, b);
}
