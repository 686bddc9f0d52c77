#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace zev {

class IClock;
class IMessageBox;

struct SurveyQuestion {
    enum Type { Text = 1, Choice = 2, Checks = 3, Date = 4 };
    int questionId = 0;
    int type = Text;
    std::string text;
    std::vector<std::string> options;
    bool required = false;
    bool notes = false;
};

// Taking a survey one question per page. The answers are held until the last
// page is confirmed, then the done survey and all its answers are written in
// one transaction; backing out before the first page writes nothing, so no
// half-taken survey can ever wait for upload.
class SurveyRunner {
public:
    enum class Step { Stayed, Moved, Finished, Cancelled };

    static constexpr int kAnswerMaxLength = 255;

    SurveyRunner(IMessageBox& messages, const IClock& clock, int poolKey = 0);

    // Reads the survey and its questions. `doneId` 0 starts a new done survey;
    // another id takes that one up again with its stored answers. False when
    // the survey does not exist.
    bool Open(int surveyId, int accountId, int doneId = 0);

    const std::string& Title() const { return m_title; }
    const std::vector<SurveyQuestion>& Questions() const { return m_questions; }
    bool HasPages() const { return !m_questions.empty(); }
    int Page() const { return m_page; }
    const SurveyQuestion& Current() const { return m_questions[static_cast<std::size_t>(m_page)]; }
    // What the current page starts with: the answer given before, if any.
    std::string CurrentAnswer() const;
    std::string CurrentComment() const;

    // Confirms the current page with its answer (by type, see the helpers
    // below) and notes. A required empty answer or an impossible date keeps
    // the page; the last page saves the survey.
    Step Next(const std::string& answer, const std::string& comment);
    // The previous page; before the first the survey is given up.
    Step Back();

    // The done survey written by the last page (0 before).
    int DoneId() const { return m_doneId; }

    // Type 3: one "1"/"0" per option in list order.
    static std::string CheckAnswer(const std::vector<bool>& checked);
    static std::vector<bool> ParseChecks(const std::string& answer, std::size_t options);
    // Type 4: "%02d/%02d/%d" of month, day, year.
    static std::string DateAnswer(int year, int month, int day);
    static bool ParseDateAnswer(const std::string& answer, int& year, int& month, int& day);
    static bool IsCalendarDate(int year, int month, int day);
    // Options are separated by "|"; doubled apostrophes are shown single.
    static std::vector<std::string> SplitOptions(const std::string& options);
    static std::string Shown(const std::string& stored);

private:
    struct Given {
        std::string answer;
        std::string comment;
    };
    bool Save();

    IMessageBox& m_messages;
    const IClock& m_clock;
    int m_poolKey;
    int m_surveyId = 0;
    int m_accountId = 0;
    int m_doneId = 0;
    std::time_t m_started = 0;
    std::string m_title;
    std::vector<SurveyQuestion> m_questions;
    std::vector<std::optional<Given>> m_given;
    int m_page = 0;
};

} // namespace zev
