#pragma once
// The pattern every dialog of the plug-in follows: registered with the host,
// painted in the theme, shown modeless with an action for its confirming
// button, and destroyed when closed.

#include <functional>
#include <initializer_list>

#include <wx/dialog.h>
#include <wx/frame.h>

class BoardOwner;
class Host;
class Theme;
class wxButtonEx;
class wxStaticLineEx;
class wxStaticText;

/// Base of the plug-in's dialogs: theme, host registration, confirm action, close.
class ThemedDialog : public wxDialog
{
public:
    /// The toolkit's dialog frame (caption, system menu, close box), kept
    /// above its parent and out of the taskbar.
    static constexpr long kStyle = wxDEFAULT_DIALOG_STYLE | wxFRAME_FLOAT_ON_PARENT | wxFRAME_NO_TASKBAR;
    static_assert(kStyle == 0x2000180a, "the dialogs' frame style changed with the toolkit");

    /// Yes and No buttons with the warning icon; Yes, the toolkit's default
    /// button, is preselected.
    static constexpr long kQuestionStyle = wxYES_NO | wxICON_WARNING;
    // The number the question box was first given also sets wxCANCEL_DEFAULT.
    // That flag picks a Cancel button, which this box does not have: it
    // changes no button and the toolkit stops on it with an assertion.
    static_assert((kQuestionStyle | wxCANCEL_DEFAULT) == 0x8000010a,
                  "the question box's style changed with the toolkit");

    /// What the dialog does with its parent window. Modality is emulated by
    /// disabling the parent while the dialog is up.
    enum class ParentLock
    {
        DisableWhileShown,  // disable on ShowWithAction, enable again on close
        EnableOnClose,      // the opener disabled it; enable again on close
        Untouched           // the parent stays usable (notifications)
    };

    using Action = std::function<void()>;
    /// Asks a Yes/No question; true for Yes.
    using Question = std::function<bool(wxWindow* parent, const wxString& message, const wxString& caption)>;

    /// `id` is ignored: the dialogs are always created with wxID_ANY.
    ThemedDialog(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                 const wxPoint& pos, const wxSize& size, ParentLock parentLock, long style = kStyle);

    /// Shows the dialog modeless and keeps `action` for the confirming button.
    virtual void ShowWithAction(Action action);
    bool HasConfirmAction() const { return static_cast<bool>(confirmAction); }
    /// Forgets the confirm action, so that closing can no longer reach what
    /// it captured.
    void DropConfirmAction() { confirmAction = nullptr; }
    /// Closes the dialog of a feature or board that is going away: neither its
    /// action nor its close handler runs any more, and a dialog whose parent is
    /// itself being destroyed goes with that parent.
    void CloseOrphaned();

    /// Runs once when the dialog closes, by whatever way.
    void SetCloseHandler(Action handler) { m_closeHandler = std::move(handler); }
    /// Replaces the modal message box of AskYesNo (tests answer without a box).
    void SetQuestion(Question question) { m_question = std::move(question); }
    bool IsClosing() const { return m_closing; }
    /// True for a notification that leaves its parent usable.
    bool LeavesParentUsable() const { return m_parentLock == ParentLock::Untouched; }

    BoardOwner* GetOwner() const { return m_owner; }
    Host* GetHost() const;
    /// The host's theme; null only without a host.
    Theme* GetTheme() const;

    /// Gives a button the theme's button colours.
    void StyleButton(wxButtonEx* button) const;
    /// Tells the user, in a balloon under `field`, why its text was refused.
    void ShowRefusal(wxWindow* field, const wxString& message) const;

protected:
    /// Runs the confirm action when there is one, then closes.
    void ConfirmAndClose();
    /// A themed push button.
    wxButtonEx* MakeButton(wxWindow* parent, wxWindowID id, const wxString& label,
                           const wxSize& size = wxDefaultSize) const;
    /// OK, disabled until the user changes something, beside Cancel; OK is
    /// the default button, which Enter presses.
    struct OkCancelRow
    {
        wxSizer* sizer;
        wxButtonEx* ok;
        wxButtonEx* cancel;
    };
    OkCancelRow MakeOkCancelRow();
    /// A horizontal separator in the theme's border colour.
    wxStaticLineEx* MakeLine(wxWindow* parent) const;
    /// A caption label: fixed width, no wrapping, in the theme's label colour.
    wxStaticText* MakeCaption(wxWindow* parent, const wxString& text, int width) const;
    /// The width of a column of captions: `least`, or what the longest one
    /// needs where a translation is longer.
    int CaptionWidth(std::initializer_list<wxString> captions, int least) const;
    /// An empty value label in the theme's text colour.
    wxStaticText* MakeValueLabel(wxWindow* parent) const;
    /// Gives a text field or combo box the theme's cell colours.
    void StyleInput(wxWindow* input) const;
    /// Fits the dialog to its sizer, keeping at least `width`: the fitted
    /// width alone leaves no room for the value fields to grow into.
    void FitNoNarrowerThan(int width);
    /// Grows the dialog when its contents no longer fit; never shrinks it.
    void GrowToFitContents();
    /// Question box of kQuestionStyle; true for Yes.
    bool AskYesNo(const wxString& message, const wxString& caption);
    /// Called after ShowWithAction has shown the dialog and kept the action.
    virtual void OnShownWithAction() {}
    /// Puts the dialog on screen for ShowWithAction; activating it is the default.
    virtual void ShowOnScreen() { Show(true); }
    /// Called once when the dialog closes, before its deferred destruction.
    virtual void OnClosing() {}

private:
    void OnClose(wxCloseEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);

    BoardOwner* m_owner;
    ParentLock m_parentLock;
    Action confirmAction;
    Action m_closeHandler;
    Question m_question;
    bool m_closing = false;

    wxDECLARE_EVENT_TABLE();
};
