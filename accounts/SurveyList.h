#pragma once

#include <string>
#include <vector>

namespace zev {

struct SurveyEntry {
    int surveyId = 0;
    std::string name;
    std::string description;
};

struct DoneSurveyEntry {
    int doneId = 0;
    int surveyId = 0;
    int accountId = 0;
    std::string accountName; // display case
    std::string surveyName;
};

// The lists of the survey screen and of the custom point-of-sale builder.
class SurveyList {
public:
    // Availability of a survey: 0 always; 1 only while no account is chosen;
    // 2 only while one is.
    static bool Offered(int availability, bool accountChosen);

    // The representative's own surveys (type 0) the availability allows.
    static std::vector<SurveyEntry> Available(bool accountChosen, int poolKey = 0);
    // Every taken survey of type 0, with its account's and survey's names.
    static std::vector<DoneSurveyEntry> Completed(int poolKey = 0);
    // Custom items (type 1) offered always (availability 0).
    static std::vector<SurveyEntry> CustomItems(int poolKey = 0);
    // The account's built custom items.
    static std::vector<DoneSurveyEntry> BuiltItems(int accountId, int poolKey = 0);
    // Deletes a built item's answers and the item in one transaction.
    static bool Remove(int doneId, int poolKey = 0);
};

} // namespace zev
