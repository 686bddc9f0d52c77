#include "accounts/SurveyRunner.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "base/Clock.h"
#include "tables/Answers.h"
#include "tables/DoneSurveys.h"
#include "tables/Questions.h"
#include "tables/SqlText.h"
#include "tables/Surveys.h"

#include <cstdio>

namespace zev {

namespace {

const char* const kRequired = "You are required to provide an answer to this question before proceeding";
const char* const kBadDate = "Please choose a date that exists in the calendar.";
const char* const kNotSaved = "The survey could not be saved, please try again or call your support contact.";

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

SurveyRunner::SurveyRunner(IMessageBox& messages, const IClock& clock, int poolKey)
    : m_messages(messages), m_clock(clock), m_poolKey(poolKey)
{
}

std::string SurveyRunner::Shown(const std::string& stored) { return Replace(stored, "''", "'"); }

std::vector<std::string> SurveyRunner::SplitOptions(const std::string& options)
{
    std::vector<std::string> parts;
    std::string text = Shown(options);
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t bar = text.find('|', from);
        const std::string part =
            SqlText::Trim(text.substr(from, bar == std::string::npos ? std::string::npos : bar - from));
        if (!part.empty())
            parts.push_back(part);
        if (bar == std::string::npos)
            break;
        from = bar + 1;
    }
    return parts;
}

bool SurveyRunner::Open(int surveyId, int accountId, int doneId)
{
    m_surveyId = surveyId;
    m_accountId = accountId;
    m_doneId = doneId;
    m_page = 0;
    m_questions.clear();
    m_given.clear();
    m_started = m_clock.Now();

    Surveys surveys(m_poolKey);
    if (!surveys.getSurvey(surveyId))
        return false;
    m_title = Shown(surveys.GetFieldValueString(1));
    surveys.Close();

    zev::Questions questions(m_poolKey);
    if (questions.getOfSurvey(surveyId)) {
        for (; !questions.IsEOF(); questions.MoveNext()) {
            SurveyQuestion q;
            q.questionId = questions.GetFieldValueInt(1);
            q.type = questions.GetFieldValueInt(2);
            q.text = Shown(questions.GetFieldValueString(3));
            if (q.type != SurveyQuestion::Text)
                q.options = SplitOptions(questions.GetFieldValueString(4));
            q.required = questions.GetFieldValueInt(5) == 1;
            q.notes = questions.GetFieldValueInt(6) == 1;
            m_questions.push_back(std::move(q));
        }
    }
    questions.Close();
    m_given.resize(m_questions.size());

    if (doneId > 0) {
        Answers answers(m_poolKey);
        if (answers.getOfDone(doneId)) {
            for (; !answers.IsEOF(); answers.MoveNext()) {
                const int questionId = answers.GetFieldValueInt(1);
                for (std::size_t i = 0; i < m_questions.size(); ++i)
                    if (m_questions[i].questionId == questionId)
                        m_given[i] =
                            Given{Shown(answers.GetFieldValueString(3)), Shown(answers.GetFieldValueString(4))};
            }
        }
    }
    return true;
}

std::string SurveyRunner::CurrentAnswer() const
{
    const auto& given = m_given[static_cast<std::size_t>(m_page)];
    return given ? given->answer : std::string();
}

std::string SurveyRunner::CurrentComment() const
{
    const auto& given = m_given[static_cast<std::size_t>(m_page)];
    return given ? given->comment : std::string();
}

SurveyRunner::Step SurveyRunner::Next(const std::string& typed, const std::string& comment)
{
    if (!HasPages())
        return Step::Stayed;
    const SurveyQuestion& q = Current();
    const std::string answer = SqlText::Trim(typed);
    if (q.required && answer.empty()) {
        m_messages.ShowText(kRequired, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return Step::Stayed;
    }
    int year = 0, month = 0, day = 0;
    if (q.type == SurveyQuestion::Date && !answer.empty() && !ParseDateAnswer(answer, year, month, day)) {
        m_messages.ShowText(kBadDate, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return Step::Stayed;
    }
    m_given[static_cast<std::size_t>(m_page)] = Given{answer, q.notes ? SqlText::Trim(comment) : std::string()};
    if (m_page + 1 < static_cast<int>(m_questions.size())) {
        ++m_page;
        return Step::Moved;
    }
    if (!Save()) {
        m_messages.ShowText(kNotSaved, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return Step::Stayed;
    }
    return Step::Finished;
}

SurveyRunner::Step SurveyRunner::Back()
{
    if (m_page > 0) {
        --m_page;
        return Step::Moved;
    }
    return Step::Cancelled;
}

bool SurveyRunner::Save()
{
    DoneSurveys done(m_poolKey);
    if (done.beginTransaction() == 0)
        return false;
    Answers answers(m_poolKey);
    bool ok = true;
    int doneId = m_doneId;
    if (doneId <= 0) {
        doneId = done.nextDoneId();
        std::tm tm{};
        localtime_r(&m_started, &tm);
        const std::string started = SqlText::Format("%04d-%02d-%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1,
                                                    tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
        ok = done.insertDone(m_surveyId, m_accountId, doneId, started) != 0;
    }
    for (std::size_t i = 0; ok && i < m_questions.size(); ++i) {
        const SurveyQuestion& q = m_questions[i];
        const Given given = m_given[i].value_or(Given{});
        const bool exists = m_doneId > 0 && answers.getAnswer(doneId, q.questionId) != 0;
        ok = exists ? answers.updateAnswer(doneId, q.questionId, given.answer, given.comment) != 0
                    : answers.insertAnswer(doneId, q.questionId, q.type, given.answer, given.comment) != 0;
    }
    answers.Close();
    ok = ok && done.setCompleted(doneId) != 0;
    if (!ok || done.commitTransaction() == 0) {
        done.rollbackTransaction();
        return false;
    }
    m_doneId = doneId;
    return true;
}

std::string SurveyRunner::CheckAnswer(const std::vector<bool>& checked)
{
    std::string text;
    for (bool on : checked)
        text += on ? '1' : '0';
    return text;
}

std::vector<bool> SurveyRunner::ParseChecks(const std::string& answer, std::size_t options)
{
    std::vector<bool> checked(options, false);
    for (std::size_t i = 0; i < options && i < answer.size(); ++i)
        checked[i] = answer[i] == '1';
    return checked;
}

std::string SurveyRunner::DateAnswer(int year, int month, int day)
{
    return SqlText::Format("%02d/%02d/%d", month, day, year);
}

bool SurveyRunner::ParseDateAnswer(const std::string& answer, int& year, int& month, int& day)
{
    char rest = 0;
    if (std::sscanf(answer.c_str(), "%d/%d/%d%c", &month, &day, &year, &rest) != 3)
        return false;
    return IsCalendarDate(year, month, day);
}

bool SurveyRunner::IsCalendarDate(int year, int month, int day)
{
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int length = month == 2 && leap ? 29 : kDays[month - 1];
    return day <= length;
}

} // namespace zev
