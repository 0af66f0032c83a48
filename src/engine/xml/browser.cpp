#include "engine/xml/browser.h"

namespace Browser {

void Init() {
    BrowserCount = 0;
    Browser_Height.clear();
    Browser_Width.clear();
    Browser_X.clear();
    Browser_Y.clear();
}

void ResetDefaults() {
    Init();
    Browser_Change = false;
    Browser_Color_change = false;
    Browser_Picture_Change = false;
    Browser_XML_Change = false;
    Browser_Color = platform::RGB(0, 0, 0);
    B_Force_Color = false;
    B_Adapt_Picture = false;
    B_Tile_Picture = false;
    B_Background_Picture.clear();
    B_Picture_Position = 5;
    B_Text_Font.clear();
    B_Text_Size = 0;
    B_Text_Color = platform::RGB(0, 0, 0);
    B_Selected_Color = platform::RGB(0, 0, 0);
    B_Stripes_Color = platform::RGB(0, 0, 0);
}

}  // namespace Browser
