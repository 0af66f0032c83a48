#include "messages/messages.h"

#include "messages/line_terminator.h"

namespace Language {

void SetMessages() {
    const std::string& rc = Variables::RC;
    const std::string missingFont = " is the selected font." + rc +
                                    "You don't have that font installed on your computer, you "
                                    "need to change the font.";
    const std::string browserTooLow =
        "Sorry, the browser resize cannot decrease the browser height under 245 pixels.";

    // Entries not listed stay empty: the built-in table has no text for them.
    const std::vector<std::string> builtIn = {
        "",
        "File does not exist.",
        "No Input file selected.",
        "An error occured",
        " when Reading the input file",
        ", please retry the process.",
        rc + "Probably the file is locked by another application.",
        " on line ",
        "Font size must be between 8 and 36.",
        missingFont,
        rc + rc + "By clicking this checkbox, the simple resize box will be disabled.",
        "You cannot resize the skin and add borders at the same time.",
        "You cannot resize the skin and resize the browser at the same time.",
        "The output skin's size isn't proportional to the input skin's." + rc + rc +
            "The resized skin may have display problems on the turntables and with elements in "
            "rotation.",
        " Or you don't have enough free memory available.",
        "No Output file selected," + rc + "Please choose one.",
        "Input and Output files are identical." + rc + "Please change Output filename.",
        // The checks accept widths from 640 pixels, so the text names the same number.
        "Width of the Output skin has to be equal or greater than 640 pixels.",
        "Height of the Output skin has to be equal or greater than 480 pixels.",
        "When resizing the browser, the width input and output must be the same.",
        "When adding borders, the output size cannot be smaller than the input size.",
        "Please select a resizing option (Simple Resize, Add Borders, Browser Resize).",
        "The skin's logo is compliant will all softwares running the VirtualDJ skin engine.",
        missingFont,
        "",
        " of this application is available for download.",
        "This new version may include new features or bug fixes.",
        "",
        "",
        "",
        "",
        "",
        "",
        "",
        "",
        "",
        "",
        "",
        "",  // 27 to 38
        "Resource files are missing." + rc + "Please install the software again.",
        "You need to reload the program to enable english language.",
        "Your version is up-to-date",
        "",
        "",
        "",
        "",
        "",  // 42 to 46
        browserTooLow,
        "",
        "An unhandled exception occurred." + rc + "The program might close.",
        "Skin picture should be ...",
        "You aren't actually connected on Internet. Please get a connection and try again.",
        "",
        browserTooLow,
        "You must first open a valid xml file before changing browser options.",
        "This Skin has multiple Browsers. Browser resizing isn't available yet for this type of "
        "Skin.",
        "This Skin contains multiple Browsers. After resizing, some Browsers might be too small "
        "to correctly display the Sampler and Effects pages.",
        "test",
    };
    static_assert(kMessageCount == 58);
    if (Messages.size() != static_cast<std::size_t>(kMessageCount))
        Messages.resize(kMessageCount);
    for (std::size_t i = 1; i < builtIn.size() && i < Messages.size(); ++i)
        Messages[i] = builtIn[i];
}

void ResetMessages() {
    Messages.assign(kMessageCount, std::string());
}

}  // namespace Language
