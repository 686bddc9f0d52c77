#include "app/core/StringTable.h"

#include <map>

namespace zev {

namespace {

// Texts keep their wording exactly, typing errors included.
const std::map<int, std::string>& Table()
{
    static const std::map<int, std::string> table = {
        {57344, "Satchel"},
        {65008, "Are you sure that you want to exit the application?"},
        {65009, "All entries must be filled in."},
        {65010, "The password given does not match the confirmation password. Please enter them again."},
        {65011, "The user ID must contain all numbers and there must be at least 6 of them."},
        {65012, "The password given is invalid."},
        {65013, "Application"},
        {65016, "Sunday"},
        {65017, "Monday"},
        {65018, "Tuesday"},
        {65019, "Wednesday"},
        {65020, "Thursday"},
        {65021, "Friday"},
        {65022, "Saturday"},
        {65023, "Successfully connected to the Internet."},
        {65024, "Could not connect to the Internet.  Please check the seating of your modem and try again."},
        {65025, "Successfully disconnected from the Internet."},
        {65026, "Could not disconnect from the Internet."},
        {65027, "Before using Satchel, you must connect to the Zev servers and download an initial set of Inventory, "
                "Accounts and other information.\n\nMake sure you are connected to the internet and click OK."},
        {65028, "Your configuration of the software has been corrupted!\n\nPlease contact Marvane Software as soon as "
                "possible to correct this situation."},
        {65029, "Your configuration file does not match the version of the software you are currently "
                "running.\n\nPlease contact Marvane Software for a correct version."},
        {65031, "Date"},
        {65032, "Note"},
        {65033, "There was an Error saving this note, please try again or call your support contact."},
        {65036, "None"},
        {65037, "No items were found that match your criteria."},
        {65038, "Modify"},
        {65039, "Collect"},
        {65040, "You are not allowed to collect more than the billable invoice."},
        {65057, "The order has been sent."},
        {65058, "Error Sending Order.\nPlease check your internet connection and try again."},
        {65061, "It appears that there may be a problem with your database. It will now be restored from a backup. "
                "This will take a few seconds. Click OK to continue."},
        {65062, "Error Sending Orders. Please check your internet connection and try again."},
        {65063, "Some form of communications error has occured. Please check your internet connection and that your "
                "modem is seated properly and try again."},
        {65064, "This field may not be blank."},
        {65065, "Unable to save your issue.  Please contact product support at the number listed in the About box."},
        {65066, "The old password you entered is incorrect.  Please check your input."},
        {65067, "Your new password does not match the confirmation entry.  Please check your input."},
        {65068, "Password change failed."},
        {65069, "Application Maintenance"},
        {65070, "Your database has been restored. After the application exits, you must soft-reset your device."},
        {65071, "Are you sure you want to delete your database?"},
        {65072, "The application will now exit."},
        {65073, "Your search criteria are invalid.  Please enter a keyword."},
        {65074, "Order Details"},
        {65080, "No information available."},
        {65091, "Invalid user name or password encountered while sending data.\nPlease call product support."},
        {65092, "Truncate Failed:  Please re-start your application and try again."},
        {65093, "There is no corresponding history for this invoice."},
        {65094, "An unspecified error has been encountered, please notify product support."},
        {65095, "It seems you are not connected to the internet, connect now?\n\nYes=Connect Now.\nNo=Use "
                "Network.\nCancel=Cancel operation."},
        {65096, "Starting complete update, this will take between 5 and 20 minutes. Would you like to continue?"},
        {65097, "Information"},
        {65098, "Warning!"},
        {65099, "Error!"},
        {65100, "There are currently orders that have not been sent. If you continue you WILL LOSE your pending "
                "orders.\n\nContinue?"},
        {65101, "%d order(s) were successfully sent."},
        {65102, "There are no orders ready to be sent."},
        {65104, "It appears that your last Renew was interruped, would you like to resume this Renew.\n\nPress No to "
                "restore the last working  database."},
        {65108, "You are attempting to change settings that can cause the software to stop working.\n\nAre you sure "
                "you want to make this change?"},
        {65110, "Your settings have been saved."},
        {65111, "Items have been modified in the Local Info page. Leaving will throw away the changes. \n\nDo you wish "
                "to handle the changes before you leave?"},
        {65112, "Edit Account"},
        {65113, "Failed to update account data.  Please contact customer service and report this error."},
        {65114, "REGKEY"},
        {65115, "REGPATH"},
        {65116, "SETTINGS"},
        {65117, "PRICEOVERRIDEMODE"},
        {65118, "Application INI file not found, please contact product support."},
        {65119, "One or more required libraries are corrupt or missing, please contact product support."},
        {65120, "ENFORCEVALIDCATALOGS"},
        {65121, "Failed to update account. Please contact product support."},
        {65122, "The order guide could not be saved to the server, please try again or contact product support."},
        {65123, "RENEWMODE"},
        {65124, "Question?"},
        {65125, "BBEFORERENEW"},
        {65126, "BBEFORESYNC"},
        {65127, "DDAYS"},
        {65128, "SCHEMAFILE"},
        {65129, "DATABASE"},
        {65130, "SQLVERSION"},
        {65131, "MOBILEVERSION"},
        {65132, "PINGHOST"},
        {65133, "GENERAL"},
        {65134, "DLTEMPDIR"},
        {65135, "1"},
        {65136, "0"},
        {65139, "You have no messages."},
        {65140, "You have new messages in your inbox."},
        {65143, "BeltHatCategories"},
        {65144, "You must provide a check number when collecting a check or select a different method of payment."},
        {65145, "WINDOWED"},
        {65150, "Top items since %s: "},
    };
    return table;
}

} // namespace

const std::string& StringTable::Text(int id)
{
    static const std::string empty;
    const auto& table = Table();
    const auto it = table.find(id);
    return it == table.end() ? empty : it->second;
}

bool StringTable::Has(int id) { return Table().count(id) != 0; }

} // namespace zev
