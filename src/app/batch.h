#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace App {

/// Batch mode: fills the message table, reads the command line into the job state, analyses
/// the input skin and runs one job with the method the command line names. Returns true when
/// the program is to quit: the job succeeded, or, with "-nostop", the command line named no
/// complete job. False when the main window is to open: a command-line error, no complete job,
/// or a failed job. Every message goes through the dialogs provider. A failure that no job
/// step handles leaves as an exception, once what the job wrote is taken away, as it is for
/// any failed job.
bool ParseCommand(const std::string& commandLine);

/// Shows `text` in the program's message window as message `id`, unless the list of
/// suppressed messages holds it. Until the message window exists, the platform message box
/// shows it; the windows install the real window here.
void ShowMessageWindow(const std::string& text, std::int32_t id);
using MessageWindowPresenter = std::function<void(const std::string& text, std::int32_t id)>;
/// Installs how the message window shows a text (empty: the platform message box again).
void SetMessageWindowPresenter(MessageWindowPresenter presenter);

}  // namespace App
