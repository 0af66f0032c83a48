#pragma once

#include "messages/line_terminator.h"
#include "platform/color.h"

#include <cstdint>
#include <string>
#include <vector>

/// The job state: the values through which every step of a resize job talks to every other.
/// Each exists once per process with the default given here; a job or an analysis overwrites
/// only what it sets, so whatever it leaves alone persists into the next job. The line
/// terminator `Variables::RC` is declared with the message table, which composes texts with it.
/// The two pictures of the job live with the bitmap side.
namespace Variables {

// Skin lines.

/// The skin XML as text lines, kept as the bytes read; no element holds a line terminator.
inline std::vector<std::string> Str_Line;

// Job inputs and sizes.

/// Absolute path of the input skin XML file.
inline std::string InputXMLPath;
/// Path of the output skin XML file.
inline std::string OutputXMLPath;
/// File name of the input skin, extension included.
inline std::string Input_Filename;
inline std::int32_t inWidth = 0;
inline std::int32_t inHeight = 0;
inline std::int32_t outWidth = 0;
inline std::int32_t outHeight = 0;
/// "Simple", "Border", "Browser" or "Smart" (batch mode stores lower case); compare ignoring
/// case.
inline std::string ResizeMethod;

// Axis ratios: output over input, divided in double precision and stored in single precision.

inline float X_prop = 0;
inline float Y_prop = 0;

// Skin analysis results.

inline std::string SkinName;
inline float SkinVersion = 0;
/// Height, x and y of the skin's logo joined by "*" ("40*12*7").
inline std::string P_Logo;

// Option flags and values.

/// Multiply every font size by 0.8.
inline bool MacEnhance = false;
/// Run the font-size and gain options in the job.
inline bool MoreOptions = false;
/// Make a day skin: invert the colours of the XML and of the bitmap.
inline bool OutdoorPicture = false;
/// Leave font sizes unchanged: the font pass is skipped.
inline bool No_FontChange = false;
/// Keep the logo height of the input skin.
inline bool P_No_LogoChange = false;
/// Change every font size outside browser blocks by `P_Change_FontSize_Value` percent.
inline bool P_Change_FontSize = false;
inline std::int32_t P_Change_FontSize_Value = 100;
/// Write `P_Change_Gain_Value` into every "sensibility=" attribute.
inline bool P_Change_Gain = false;
inline std::int32_t P_Change_Gain_Value = 750;
/// Scale the bitmap by plain scaled drawing instead of the box filter. Every run starts true:
/// the settings file stores it but nothing reads it back.
inline bool P_Old_Renderer = true;
/// Use the pre-resized picture `ExternPictureFile` instead of scaling the input bitmap.
inline bool UseExternPicture = false;
/// Absolute path of the pre-resized picture.
inline std::string ExternPictureFile;
/// Canvas colour of the "Border" method.
inline platform::Color P_Border_Color = platform::RGB(0, 0, 0);
/// Open the output folder when a job ends.
inline bool Window_Open = true;
/// A colour carried by the settings file and used by nothing else.
inline platform::Color Change_Color = platform::RGB(255, 255, 255);

// Run state and results.

/// A job thread is running: while true the analysis leaves the browser text style alone.
inline bool ThreadRunning = false;
/// Every step of the current job has succeeded so far; true at the start of a job, made false
/// by a failing step and never set back by one.
inline bool Job_Ok = true;
/// `Log_Out` writes its records; false for the rest of the run after one failed write.
inline bool Log_Ok = true;
/// The output path without its extension, ending in ".", set by `SaveXML`.
inline std::string FileName;
/// Absolute path of the output folder, set by `SaveXML`.
inline std::string FileFolder;
/// "bmp", "png" or "jpg": the last three characters of the opened bitmap's file name.
inline std::string PictureType;
/// `FileName` names this job's output: `SaveXML` sets it once it has written the whole file,
/// and whoever starts a job (job thread, batch mode) clears it. The bitmap writer and copier
/// write nothing while it is false, so a job whose XML step failed never writes its bitmap
/// under an earlier job's name.
inline bool XMLSavedThisJob = false;

// Geometry lists, filled by the rescaling job and read by the bitmap side.

/// "x y w h[ grey]" per mask element.
inline std::vector<std::string> Mask;
/// "x y w h nb" per round fader.
inline std::vector<std::string> Fader;
/// "w*h*x*y*nb*nbx" per custom element.
inline std::vector<std::string> Custom_Visual;
/// x (element 0) and y (element 1) of the icon grid in the input bitmap.
inline std::vector<std::int32_t> customicons{0, 0};
/// x and y of the button grid in the input bitmap.
inline std::vector<std::int32_t> custombuttons{0, 0};

/// For tests: every value above back to its default (`RC` included).
void ResetDefaults();

}  // namespace Variables
