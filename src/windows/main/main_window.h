#pragma once

#include "app/ini_read_write.h"
#include "platform/color.h"
#include "platform/widgets/window.h"

#include <cstdint>
#include <memory>
#include <string>

class LiteProgressWheel;
class Sarvelin;
class UI_Breadcrumbs;
class UI_Button;
class UI_Checkbox;
class UI_ColorPicker;
class UI_Label;
class UI_MenuButton;
class UI_TextField;
class UI_Tooltip;

namespace platform {
class Canvas;
class FolderItem;
class Graphics;
class Label;
class PagePanel;
class Thread;
}  // namespace platform

/// The window of window mode: a wizard of four pages ("Files", "Resizing", "Options",
/// "Generating") under a step bar, with the input and output files, the output size, the four
/// resize methods with a before-and-after preview, the job options and the recap.
///
/// It is built once from its stored layout (Layout): every control gets its stored values
/// through its setters before the window's handlers are attached, so the stored ticks and
/// texts run no handler; then every control opens, then the window.
///
/// The handlers are virtual, named after the control and the event; each reads the state it
/// needs afresh, so a handler that an event raises twice for one change gives the same result.
class MainWindow : public platform::Window {
public:
    MainWindow();
    ~MainWindow() override;

    /// The one main window: built and shown on first use, the same window afterwards.
    static MainWindow& Instance();

    /// Output XML path of the job started last in this run (set when a job starts).
    std::string LastSkin;
    /// The bubble shown last; dropping it takes the bubble away.
    std::unique_ptr<UI_Tooltip> mTooltip;
    /// The method the resize preview draws: 0 Simple, 1 Border, 2 Browser, 3 Smart.
    std::int32_t ResizePreviewMode = 0;
    /// The method to return to when the pointer leaves a method box.
    std::int32_t LastResizePreviewMode = 0;

    // The controls, in creation order.
    UI_Checkbox& Mac_CheckBox() const { return *m_macCheckBox; }
    platform::PagePanel& PagePanel1() const { return *m_pagePanel1; }
    UI_Checkbox& Resize_Skin_CheckBox() const { return *m_resizeSkinCheckBox; }
    UI_Checkbox& Browser_Resize_CheckBox() const { return *m_browserResizeCheckBox; }
    UI_ColorPicker& Border_Color_EditField() const { return *m_borderColorEditField; }
    UI_Checkbox& Border_Checkbox() const { return *m_borderCheckbox; }
    UI_Checkbox& SmartResize_CheckBox() const { return *m_smartResizeCheckBox; }
    UI_Checkbox& Outdoor_Checkbox() const { return *m_outdoorCheckbox; }
    UI_Button& Options_PushButton() const { return *m_optionsPushButton; }
    UI_Checkbox& Options_CheckBox() const { return *m_optionsCheckBox; }
    UI_Button& Browser_PushButton() const { return *m_browserPushButton; }
    UI_Checkbox& Browser_Options_CheckBox() const { return *m_browserOptionsCheckBox; }
    UI_Checkbox& UseResizedPicture_CheckBox() const { return *m_useResizedPictureCheckBox; }
    UI_Button& Input_Picture() const { return *m_inputPicture; }
    platform::Label& ExternPicture_StaticText() const { return *m_externPictureStaticText; }
    UI_Button& Preview_button() const { return *m_previewButton; }
    UI_Button& Job_Button() const { return *m_jobButton; }
    UI_Label& lbl_OutputXML() const { return *m_lblOutputXML; }
    UI_TextField& OutputXML_EditField() const { return *m_outputXMLEditField; }
    platform::Label& StaticText3() const { return *m_staticText3; }
    UI_TextField& Height_Output_EditField() const { return *m_heightOutputEditField; }
    platform::Label& StaticText4() const { return *m_staticText4; }
    UI_TextField& Width_Output_EditField() const { return *m_widthOutputEditField; }
    UI_Checkbox& ScaleCheckbox() const { return *m_scaleCheckbox; }
    UI_Button& Output_Button() const { return *m_outputButton; }
    UI_Label& lbl_InputXML() const { return *m_lblInputXML; }
    UI_TextField& InputXML_EditField() const { return *m_inputXMLEditField; }
    UI_Button& Input_Button() const { return *m_inputButton; }
    platform::Label& StaticText1() const { return *m_staticText1; }
    UI_TextField& Width_input_EditField() const { return *m_widthInputEditField; }
    UI_TextField& Height_Input_EditField() const { return *m_heightInputEditField; }
    platform::Label& StaticText2() const { return *m_staticText2; }
    platform::Label& StaticText5() const { return *m_staticText5; }
    UI_TextField& Display_Format_EditField() const { return *m_displayFormatEditField; }
    UI_Label& Recap_Editfield() const { return *m_recapEditfield; }
    Sarvelin& Sarvelin1() const { return *m_sarvelin1; }
    UI_Label& Message_Text() const { return *m_messageText; }
    LiteProgressWheel& Chase_Wheel() const { return *m_chaseWheel; }
    platform::Canvas& SkinPreview() const { return *m_skinPreview; }
    platform::Canvas& SkinResizePreview() const { return *m_skinResizePreview; }
    UI_Breadcrumbs& Breadcrumbs() const { return *m_breadcrumbs; }
    UI_MenuButton& Input_Button1() const { return *m_inputButton1; }

    // The control handlers.
    /// The job: the log header, the method's steps, the end actions.
    virtual void Job_Thread_Run();
    virtual void PagePanel1_Change();
    virtual void Resize_Skin_CheckBox_Action();
    virtual void Resize_Skin_CheckBox_MouseEnter();
    virtual void Resize_Skin_CheckBox_MouseExit();
    virtual void Browser_Resize_CheckBox_Action();
    virtual void Browser_Resize_CheckBox_MouseExit();
    virtual void Browser_Resize_CheckBox_MouseEnter();
    virtual void Border_Color_EditField_LostFocus();
    virtual void Border_Color_EditField_Open();
    virtual void Border_Color_EditField_ColorChange(platform::Color c);
    virtual void Border_Checkbox_Action();
    virtual void Border_Checkbox_MouseExit();
    virtual void Border_Checkbox_MouseEnter();
    virtual void SmartResize_CheckBox_Action();
    virtual void SmartResize_CheckBox_MouseExit();
    virtual void SmartResize_CheckBox_MouseEnter();
    /// Shows the More Options dialog (the one dialog of its kind).
    virtual void Options_PushButton_Action();
    virtual void Options_PushButton_Open();
    virtual void Options_CheckBox_Action();
    /// Shows the browser options dialog (the one dialog of its kind).
    virtual void Browser_PushButton_Action();
    virtual void Browser_PushButton_Open();
    /// Refuses the tick while no analysed skin has a browser area (bubble with message 54);
    /// an unticked box clears the two browser change flags.
    virtual void Browser_Options_CheckBox_Action();
    virtual void Browser_Options_CheckBox_Open();
    /// Unticked: the chosen picture is dropped ("No file").
    virtual void UseResizedPicture_CheckBox_Action();
    /// Asks for the pre-resized picture; a cancelled dialog drops the choice ("No file").
    virtual void Input_Picture_Action();
    virtual void Input_Picture_Open();
    /// Opens another full-size preview of the last output.
    virtual void Preview_button_Action();
    /// Writes the settings, validates and starts the job.
    virtual void Job_Button_Action();
    virtual void Height_Output_EditField_GotFocus();
    virtual bool Height_Output_EditField_MouseDown(int x, int y);
    virtual void Height_Output_EditField_TextChange();
    virtual void StaticText4_MouseEnter();
    virtual void StaticText4_MouseExit();
    virtual bool StaticText4_MouseDown(int x, int y);
    virtual void Width_Output_EditField_GotFocus();
    virtual bool Width_Output_EditField_MouseDown(int x, int y);
    virtual void Width_Output_EditField_TextChange();
    virtual void ScaleCheckbox_Action();
    virtual void Output_Button_Action();
    virtual void Output_Button_Open();
    virtual void Input_Button_Action();
    virtual void Input_Button_Open();
    virtual void Recap_Editfield_Open();
    virtual void Recap_Editfield_ChangeScroll(std::int32_t steps);
    virtual void Sarvelin1_ValueChanged();
    virtual void Sarvelin1_Open();
    virtual void SkinPreview_Paint(platform::Graphics& g);
    virtual void SkinResizePreview_Paint(platform::Graphics& g);
    virtual void Breadcrumbs_Action(std::int32_t index, const std::string& caption);
    /// Fixed width and the menu picture.
    virtual void Input_Button1_Open();
    /// Pops up copies of the three menus under the button's lower left corner; the chosen
    /// item runs as from the menu bar.
    virtual void Input_Button1_Action();

    // The window's methods.
    /// Gives five menu items their icons (masked strips); a missing picture leaves none.
    virtual void SetIcons();
    /// Rebuilds the step captions; with `clear` the old ones go first. No repaint.
    virtual void CreateTabCanvas(bool clear);
    /// Takes an input skin: `item` when it names an existing file, else the one chosen in the
    /// open dialog. Refuses files that are not writable (asking again) or not named ".xml",
    /// analyses the skin, shows its size and display format, applies the proportional height,
    /// opens its bitmap for the previews and remembers its folder.
    virtual void OpenXML(const platform::FolderItem* item);
    /// Shows `text` in a new bubble pointing at the centre of `control` (the old bubble goes).
    /// `position` is not used.
    virtual void ShowToolTip(const std::string& text, platform::Control& control,
                             std::int32_t position);
    /// Sets the fifteen translated captions, unless the language is English and not `force`.
    virtual void SetLanguage(bool force);
    /// Drops the bubble.
    virtual void HideToolTip();

protected:
    void Layout() override;
    void Event_Open() override;

    /// The window's back colour when it has one, else 0xEDEDED.
    platform::Color GetWindowColor() const;

private:
    void CreateControls0();
    void CreateControls1();
    void MethodEnter(std::int32_t code);
    void MethodExit();
    void RepaintResizePreview();
    void ProportionalHeight();
    void CopyOutputSizes();
    std::string RecapText() const;

    UI_Checkbox* m_macCheckBox = nullptr;
    platform::PagePanel* m_pagePanel1 = nullptr;
    UI_Checkbox* m_resizeSkinCheckBox = nullptr;
    UI_Checkbox* m_browserResizeCheckBox = nullptr;
    UI_ColorPicker* m_borderColorEditField = nullptr;
    UI_Checkbox* m_borderCheckbox = nullptr;
    UI_Checkbox* m_smartResizeCheckBox = nullptr;
    UI_Checkbox* m_outdoorCheckbox = nullptr;
    UI_Button* m_optionsPushButton = nullptr;
    UI_Checkbox* m_optionsCheckBox = nullptr;
    UI_Button* m_browserPushButton = nullptr;
    UI_Checkbox* m_browserOptionsCheckBox = nullptr;
    UI_Checkbox* m_useResizedPictureCheckBox = nullptr;
    UI_Button* m_inputPicture = nullptr;
    platform::Label* m_externPictureStaticText = nullptr;
    UI_Button* m_previewButton = nullptr;
    UI_Button* m_jobButton = nullptr;
    UI_Label* m_lblOutputXML = nullptr;
    UI_TextField* m_outputXMLEditField = nullptr;
    platform::Label* m_staticText3 = nullptr;
    UI_TextField* m_heightOutputEditField = nullptr;
    platform::Label* m_staticText4 = nullptr;
    UI_TextField* m_widthOutputEditField = nullptr;
    UI_Checkbox* m_scaleCheckbox = nullptr;
    UI_Button* m_outputButton = nullptr;
    UI_Label* m_lblInputXML = nullptr;
    UI_TextField* m_inputXMLEditField = nullptr;
    UI_Button* m_inputButton = nullptr;
    platform::Label* m_staticText1 = nullptr;
    UI_TextField* m_widthInputEditField = nullptr;
    UI_TextField* m_heightInputEditField = nullptr;
    platform::Label* m_staticText2 = nullptr;
    platform::Label* m_staticText5 = nullptr;
    UI_TextField* m_displayFormatEditField = nullptr;
    UI_Label* m_recapEditfield = nullptr;
    Sarvelin* m_sarvelin1 = nullptr;
    UI_Label* m_messageText = nullptr;
    LiteProgressWheel* m_chaseWheel = nullptr;
    platform::Canvas* m_skinPreview = nullptr;
    platform::Canvas* m_skinResizePreview = nullptr;
    UI_Breadcrumbs* m_breadcrumbs = nullptr;
    UI_MenuButton* m_inputButton1 = nullptr;

    // The menus and their commands (main_window_menus.cpp).
public:
    /// Registers the menu command handlers by item name.
    virtual void AddMenuHandlers();
    /// Enables "Settings" always and "Reload Last Created Skin" once a job was started (not
    /// while one runs), and translates every item's caption but the help menu's title.
    void Event_EnableMenuItems() override;
    /// The menu commands; each returns true (handled).
    virtual bool _About_Action();
    virtual bool _CheckforUpdate_Action();
    virtual bool _UserGuide_Action();
    virtual bool _LicensedSettings_Action();
    virtual bool _LicensedReloadlastcreatedskin_Action();
    virtual bool _FileOpenSkinFolder_Action();
    virtual bool _Translate_Action();

    // The job, the settings and the options page (main_window_job.cpp and beside it).
public:
    /// The job runner: one job at a time.
    platform::Thread& Job_Thread();
    /// True from "Do the Job" starting a job until that job ended.
    bool JobRunning() const;
    /// What the settings file keeps of the window.
    INI_Read_Write::MainWindowFields SettingsFields() const;

private:
    void SetJobControlsEnabled(bool enabled);
    void SetStatus(const std::string& text);
    platform::Control& CulpritControl(int culprit);
    std::shared_ptr<platform::Thread> m_jobThread;

    // Opening and closing (main_window_settings.cpp).
public:
    /// The update check that the opening runs when one is due.
    virtual void Check();

protected:
    /// Writes the settings file; closed alone (not by a quit), it then quits the program.
    void Event_Close() override;
    bool Event_CancelClose(bool appQuitting) override;

private:
    /// The opening's steps up to the update check: the settings file, the job log, the
    /// sibling tool, the language, the placement, the start-up notice.
    void ApplySettingsFile();
    bool m_closingToQuit = false;
};
