#include "support/job_state.h"

#include "engine/picture/pictures.h"
#include "engine/picture/simple_bitmap.h"
#include "engine/picture/smart_resize.h"
#include "engine/xml/browser.h"
#include "engine/xml/maths.h"
#include "engine/xml/rescale.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "messages/run_once.h"

namespace testsupport {

namespace {

void ResetAll() {
    Variables::ResetDefaults();
    Variables::ResetRescaleState();
    Variables::ResetPictures();
    Browser::ResetDefaults();
    Maths::ResetDefaults();
    Language::ResetMessages();
    INI_Read_Write::ResetRunOnce();
}

}  // namespace

JobState::JobState()
    : m_previousSink(Variables::SetRefusalSink(nullptr)) {
    Reset();
}

JobState::~JobState() {
    Reset();
    Variables::SetRefusalSink(std::move(m_previousSink));
    while (!m_env.empty())
        m_env.pop_back();
}

void JobState::Reset() {
    ResetAll();
    Variables::InstallOutdoorPictureStage();
}

void JobState::SetEnv(const char* name, std::optional<std::string> value) {
    m_env.push_back(std::make_unique<ScopedEnv>(name, std::move(value)));
}

}  // namespace testsupport
