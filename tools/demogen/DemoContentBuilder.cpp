#include "tools/demogen/DemoContentBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zev::demo {

using server::SqlDatabase;

void DemoContentBuilder::Run()
{
    NotesAndMessages();
    SurveysAndForms();
    Users();
}

void DemoContentBuilder::NotesAndMessages()
{
    int note = 1;
    for (const Account& a : m_accounts) {
        if (!m_random.Chance(0.3))
            continue;
        int count = m_random.Between(1, 3);
        for (int i = 0; i < count; ++i, ++note) {
            Writer("DistributorRepNotes")
                .Set("DistRepID", note)
                .Set("AccountID", a.id)
                .Set("DateEntered",
                     DateText(m_today - m_random.Between(1, 60), 8 + note % 9, note * 7 % 60, note * 13 % 60))
                .Set("Comment",
                     m_random.Pick({"Buyer wants samples of the new Rioja.", "Owner on vacation until next month.",
                                    "Discussed the patio program & keg pricing.",
                                    "Reset the cold box; needs more sparkling water.",
                                    "Asked for a by-the-glass proposal."}))
                .Set("Updated", 0);
            Put("DistributorRepNotes", a.rep);
        }
    }
    int id = 1;
    for (const char* rep : {kRepA, kRepB}) {
        for (int m = 0; m < 10; ++m) {
            Writer("Messages")
                .Set("MessageID", id++)
                .Set("FromID", std::stoi(kManager))
                .Set("FromStatus", 0)
                .Set("FromName", "Pat Okafor")
                .Set("ToID", std::stoi(rep))
                .Set("ToStatus", m < 3 ? 0 : 1)
                .Set("DateSent", DateText(m_today - m * 3, 7, 30, 0))
                .Set("Subject",
                     m_random.Pick({"Price change next month", "New allocation: Napa Cabernet", "Sales meeting Friday",
                                    "Keg returns", "Holiday schedule", "Great work this week"}))
                .Set("Message", "Please review before your next calls. Reply with questions & comments.")
                .Set("Updated", 0);
            Put("Messages", rep);
        }
    }
}

void DemoContentBuilder::SurveysAndForms()
{
    struct Question {
        int type;
        const char* text;
        const char* options;
    };
    struct Survey {
        const char* name;
        const char* description;
        int availability;
        int type;
        std::vector<Question> questions;
    };
    std::vector<Survey> surveys{
        {"Shelf Check",
         "Placement and pricing of our core items",
         0,
         0,
         {{2, "Are our core wines on the shelf?", "Yes|No"},
          {3, "Which displays are up?", "End cap|Floor stack|Cold box|Window"},
          {1, "Competitor activity", ""},
          {4, "Next reset date", ""}}},
        {"By the Glass Review",
         "Wines poured by the glass",
         0,
         0,
         {{1, "Current house red", ""},
          {2, "Interested in a keg wine program?", "Yes|No|Maybe"},
          {1, "Number of wines by the glass", ""}}},
        {"Holiday Readiness",
         "Stock and display plans for the holidays",
         0,
         0,
         {{3, "Planned features", "Sparkling|Dessert wine|Gift packs"}, {4, "Order deadline agreed", ""}}},
        {"Custom POS Request",
         "Point-of-sale material to be printed",
         0,
         1,
         {{1, "Headline", ""}, {1, "Price to show", ""}, {2, "Size", "Shelf talker|Poster|Table tent"}}},
    };
    int surveyId = 1;
    for (const Survey& s : surveys) {
        Writer("Surveys")
            .Set("SurveyID", surveyId)
            .Set("SurveyName", s.name)
            .Set("Description", s.description)
            .Set("Availability", s.availability)
            .Set("SurveyType", s.type);
        Put("Surveys");
        int q = 1;
        for (const Question& question : s.questions) {
            Writer("Questions")
                .Set("SurveyID", surveyId)
                .Set("QuestionID", q++)
                .Set("QuestionType", question.type)
                .Set("QuestionText", question.text)
                .Set("Options", question.options)
                .Set("Required", question.type == 2 ? 1 : 0)
                .Set("AllowNotes", question.type == 1 ? 0 : 1);
            Put("Questions");
        }
        ++surveyId;
    }
    struct Form {
        const char* name;
        std::vector<const char*> questions;
    };
    std::vector<Form> forms{
        {"Account Profile", {"Primary buyer", "Best day to call", "Delivery instructions", "Dock hours"}},
        {"Credit Application", {"Bank reference", "Trade reference", "Years in business"}},
    };
    int formId = 1;
    for (const Form& f : forms) {
        Writer("Forms").Set("FormID", formId).Set("FormName", f.name);
        Put("Forms");
        int q = 1;
        for (const char* text : f.questions) {
            Writer("FormQuestions").Set("FormID", formId).Set("QuestionID", q++).Set("QuestionText", text);
            Put("FormQuestions");
        }
        ++formId;
    }
    for (const Account& a : m_accounts) {
        if (!m_random.Chance(0.1))
            continue;
        Writer("FormsFilled")
            .Set("FormID", 1)
            .Set("AccountID", a.id)
            .Set("Updated", 0)
            .Set("QuestionID", 1)
            .Set("Answer", Name());
        Put("FormsFilled", a.rep);
        Writer("FormsFilled")
            .Set("FormID", 1)
            .Set("AccountID", a.id)
            .Set("Updated", 0)
            .Set("QuestionID", 3)
            .Set("Answer", "Use the side door & ring twice");
        Put("FormsFilled", a.rep);
    }
}

void DemoContentBuilder::Users()
{
    m_db.Exec("delete from ServerUsers; delete from ServerManagedReps;");
    for (const DemoUser& u : DemoUsers()) {
        std::string digest = m_digest(u.password);
        m_db.Prepare("insert into ServerUsers (UserID, Digest, Name, IsManager) values (?,?,?,?)")
            .Bind(1, u.id)
            .Bind(2, digest)
            .Bind(3, u.name)
            .Bind(4, u.manager ? 1 : 0)
            .Run();
        if (u.manager)
            continue;
        m_db.Prepare("insert into ServerManagedReps (ManagerID, RepID) values (?,?)")
            .Bind(1, kManager)
            .Bind(2, u.id)
            .Run();
        Writer("ManagerReps").Set("RepID", std::stoi(u.id)).Set("RepName", u.name).Set("Password", digest);
        Put("ManagerReps", kManager);
    }
}

} // namespace zev::demo
