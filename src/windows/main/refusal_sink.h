#pragma once

/// Makes a refused "Smart" job report in the main window (built and shown when it does not
/// exist yet, as in a command-line run): the "Files" page, the message as a bubble on the
/// output-height field, the proposed height in that field, the progress wheel hidden. With no
/// one to see a window, the report keeps going to standard error.
void InstallSmartRefusalSink();
