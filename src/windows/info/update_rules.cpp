#include "windows/info/update_rules.h"

#include "app/language.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "platform/text.h"

namespace updatecheck {
namespace {

std::string Field(std::string_view reply, long long n) {
    return platform::NthField(reply, "*", n);
}

}  // namespace

Description ReadDescription(std::string_view reply, std::string_view lang,
                            std::string_view lineEnd) {
    Description d;
    d.version = Field(reply, 1);
    d.address = Field(reply, 2);
    const std::string end(lineEnd);
    d.notes = end + Field(reply, 3);
    if (platform::TextEquals(lang, "Français") && platform::InStr(Field(reply, 4), "FR") > 0)
        d.notes = end + Field(reply, 5);
    else if (platform::TextEquals(lang, "Italiano") && platform::InStr(Field(reply, 6), "IT") > 0)
        d.notes = end + Field(reply, 7);
    return d;
}

bool HasDowngradeMarker(std::string_view notes) noexcept {
    return platform::InStr(notes, "Downgrade") > 0;
}

std::optional<bool> IsNewer(std::string_view versionField, const LocalVersion& local) {
    const long long parts = platform::CountFields(versionField, ".");
    const std::int32_t localParts[] = {local.major, local.minor, local.bug};
    for (long long i = 1; i <= 3; ++i) {
        if (i > parts)
            return std::nullopt;
        const double offered = platform::Val(platform::NthField(versionField, ".", i));
        const double mine = localParts[i - 1];
        if (offered > mine)
            return true;
        if (offered < mine)
            return false;
    }
    return false;
}

platform::MessageDialogSpec UpdateDialog(const Description& description, std::string_view key) {
    platform::MessageDialogSpec spec;
    spec.icon = platform::DialogIcon::Question;
    spec.actionCaption = Language::Lng("Download");
    spec.alternateCaption = Language::Lng("Later");
    spec.cancelCaption.clear();
    spec.message = Language::Lng(key) + description.version + Language::Messages[25];
    spec.explanation = Language::Messages[26] + Variables::RC + description.notes;
    return spec;
}

Verdict Judge(const Description& description, const LocalVersion& local) {
    if (HasDowngradeMarker(description.notes))
        return Verdict::Offered;
    const std::optional<bool> newer = IsNewer(description.version, local);
    if (!newer)
        return Verdict::Failed;
    return *newer ? Verdict::Offered : Verdict::NotNewer;
}

namespace {

// The user's answer to an offered version sets or clears "Later"; no answer keeps what was
// there.
void TakeAnswer(Settings& settings, Answer answer) {
    if (answer == Answer::Download)
        settings.updateLater = false;
    else if (answer == Answer::Later)
        settings.updateLater = true;
}

}  // namespace

Settings AfterStartupCheck(Settings before, Verdict verdict, Answer answer,
                           const platform::DateTime& now) {
    Settings after = before;
    switch (verdict) {
        case Verdict::Failed:
            after.latestVersion = true;
            break;
        case Verdict::NotNewer:
            after.latestVersion = true;
            after.lastCheck = now;
            break;
        case Verdict::Offered:
            after.latestVersion = false;
            TakeAnswer(after, answer);
            after.lastCheck = now;
            break;
    }
    return after;
}

Settings AfterWindowCheck(Settings before, Verdict verdict, bool marker, Answer answer,
                          const platform::DateTime& now) {
    Settings after = before;
    if (!marker)
        after.lastCheck = now;
    switch (verdict) {
        case Verdict::Failed:
            break;
        case Verdict::NotNewer:
            after.updateLater = false;
            after.latestVersion = true;
            break;
        case Verdict::Offered:
            after.latestVersion = false;
            TakeAnswer(after, answer);
            break;
    }
    return after;
}

}  // namespace updatecheck
