// The line editor of a person's terminal: libedit's editing keys, a history kept across sessions and
// Tab completion of commands, controls and entries.
#include "host/parti/Terminale.h"
#include "host/core/Parti.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <histedit.h>
#include <langinfo.h>

namespace {

class EditedLineSource : public host::parti::RigheModificate {
public:
    EditedLineSource(std::filesystem::path file,
                     std::function<host::parti::Completion(std::string_view)> complete)
        : m_File(std::move(file)), m_Complete(std::move(complete)) {
        // libedit reads multibyte input through the locale: names with accents need a UTF-8 one.
        if (!std::setlocale(LC_CTYPE, "") || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
            std::setlocale(LC_CTYPE, "C.UTF-8");
        m_History = history_init();
        history(m_History, &m_Event, H_SETSIZE, 1000);
        history(m_History, &m_Event, H_SETUNIQUE, 1);
        if (!m_File.empty())
            history(m_History, &m_Event, H_LOAD, m_File.c_str());
        m_El = el_init("pregeo-host", stdin, stdout, stderr);
        el_set(m_El, EL_EDITOR, "emacs");
        el_set(m_El, EL_CLIENTDATA, this);
        el_set(m_El, EL_PROMPT, &EditedLineSource::PromptText);
        el_set(m_El, EL_HIST, history, m_History);
        // The wide form keeps the names as given; the narrow one copies them and never frees the copies.
        el_wset(m_El, EL_ADDFN, L"pregeo-completa", L"Completa il comando", &EditedLineSource::Tab);
        el_set(m_El, EL_BIND, "^I", "pregeo-completa", nullptr);
        // A user's own ~/.editrc may rebind keys, as every libedit program allows.
        el_source(m_El, nullptr);
    }
    ~EditedLineSource() override {
        el_end(m_El);
        history_end(m_History);
    }
    EditedLineSource(const EditedLineSource&) = delete;
    EditedLineSource& operator=(const EditedLineSource&) = delete;

    bool Leggi(const std::string& prompt, std::string& line) override {
        std::fflush(stdout);
        m_Prompt = prompt;
        int count = 0;
        const char* text = el_gets(m_El, &count);
        if (!text || count <= 0)
            return false;
        line.assign(text, static_cast<std::size_t>(count));
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.find_first_not_of(" \t") != std::string::npos) {
            history(m_History, &m_Event, H_ENTER, line.c_str());
            if (!m_File.empty())
                history(m_History, &m_Event, H_SAVE, m_File.c_str());
        }
        return true;
    }

private:
    static EditedLineSource* Self(EditLine* el) {
        void* data = nullptr;
        el_get(el, EL_CLIENTDATA, &data);
        return static_cast<EditedLineSource*>(data);
    }

    static char* PromptText(EditLine* el) { return Self(el)->m_Prompt.data(); }

    // Writes the longest beginning that every candidate shares, in the candidates' own case; lists the
    // candidates when that adds nothing.
    static unsigned char Tab(EditLine* el, int) {
        EditedLineSource* self = Self(el);
        const LineInfo* li = el_line(el);
        const std::string before(li->buffer, static_cast<std::size_t>(li->cursor - li->buffer));
        const host::parti::Completion c = self->m_Complete(before);
        if (c.candidates.empty() || c.start > before.size())
            return CC_ERROR;
        std::size_t common = c.candidates.front().size();
        for (const auto& cand : c.candidates) {
            std::size_t n = 0;
            while (n < common && n < cand.size() &&
                   std::tolower(static_cast<unsigned char>(cand[n])) ==
                       std::tolower(static_cast<unsigned char>(c.candidates.front()[n])))
                ++n;
            common = n;
        }
        // Never cut a UTF-8 character in two.
        while (common > 0 && common < c.candidates.front().size() &&
               (static_cast<unsigned char>(c.candidates.front()[common]) & 0xC0) == 0x80)
            --common;
        const std::size_t typed = before.size() - c.start;
        if (common > typed || (common == typed && c.candidates.size() == 1)) {
            el_deletestr(
                el, static_cast<int>(std::count_if(before.begin() + static_cast<long>(c.start), before.end(),
                                                   [](char ch) { return (ch & 0xC0) != 0x80; })));
            el_insertstr(el, c.candidates.front().substr(0, common).c_str());
            return CC_REFRESH;
        }
        std::fputs("\n", stdout);
        for (const auto& cand : c.candidates)
            std::fprintf(stdout, "  %s\n", cand.c_str());
        std::fflush(stdout);
        return CC_REDISPLAY;
    }

    std::filesystem::path m_File;
    std::function<host::parti::Completion(std::string_view)> m_Complete;
    History* m_History = nullptr;
    HistEvent m_Event{};
    EditLine* m_El = nullptr;
    std::string m_Prompt;
};

} // namespace

PREGEO_PARTE host::parti::RigheModificate*
PregeoTerminaleRighe(const std::filesystem::path& storia,
                     std::function<host::parti::Completion(std::string_view)> completa) {
    return new EditedLineSource(storia, std::move(completa));
}
