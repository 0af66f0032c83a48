#include "engine/xml/variables.h"

#include "engine/xml/skin_file.h"

namespace Variables {

void ResetDefaults() {
    RC = "EndOfLine";
    Str_Line.clear();
    InputXMLPath.clear();
    OutputXMLPath.clear();
    Input_Filename.clear();
    inWidth = 0;
    inHeight = 0;
    outWidth = 0;
    outHeight = 0;
    ResizeMethod.clear();
    X_prop = 0;
    Y_prop = 0;
    SkinName.clear();
    SkinVersion = 0;
    P_Logo.clear();
    MacEnhance = false;
    MoreOptions = false;
    OutdoorPicture = false;
    No_FontChange = false;
    P_No_LogoChange = false;
    P_Change_FontSize = false;
    P_Change_FontSize_Value = 100;
    P_Change_Gain = false;
    P_Change_Gain_Value = 750;
    P_Old_Renderer = true;
    UseExternPicture = false;
    ExternPictureFile.clear();
    P_Border_Color = platform::RGB(0, 0, 0);
    Window_Open = true;
    Change_Color = platform::RGB(255, 255, 255);
    ThreadRunning = false;
    Job_Ok = true;
    Log_Ok = true;
    FileName.clear();
    FileFolder.clear();
    PictureType.clear();
    XMLSavedThisJob = false;
    DropOutputXML();
    HoldOutputXML(false);
    Mask.clear();
    Fader.clear();
    Custom_Visual.clear();
    customicons = {0, 0};
    custombuttons = {0, 0};
}

}  // namespace Variables
