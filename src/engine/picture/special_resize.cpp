#include "engine/picture/bitmap_files.h"
#include "engine/picture/browser_resize.h"
#include "engine/picture/method_report.h"
#include "engine/picture/scale_fixed_picture.h"
#include "engine/picture/smart_resize.h"
#include "engine/xml/browser.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "platform/dialogs.h"

namespace Variables {

void SpecialResize() {
    if (!methodreport::SizesUsable())
        return;
    const std::int32_t requestedWidth = outWidth;
    Open_Picture("");
    Open_XML();
    Browser::Init();

    // The height step runs whatever the aspect ratios: skipping it when they agree would give
    // the requested width at the input height, never the requested size.
    outWidth = inWidth;
    X_prop = 1.0F;
    Y_prop = static_cast<float>(static_cast<double>(outHeight) / inHeight);

    // The output is higher than the input, so only a skin without browsers is refused.
    if (!smartrules::BrowsersKeepTheirMinimum(false))
        return;
    Browser::Browser_Resize();
    // A failed step has reported itself and leaves half-rewritten lines or no composed bitmap:
    // the width step must not build on them, nor anything be written for them.
    if (!Job_Ok)
        return;

    outWidth = requestedWidth;
    inHeight = outHeight;
    XML_Job();
    if (!Rescale_Ok)
        return;
    Scale_FixedPicture();
    if (!SaveXMLReported())
        return;
    Save_Picture();
}

}  // namespace Variables
