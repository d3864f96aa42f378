#pragma once
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QBoxLayout;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QGroupBox;

// A dialog whose controls are bound to the members of a settings struct that core fills and
// takes back. Opening loads the controls from the struct; OK copies them into it and asks the
// accept function, which calls core: false (a validation message was shown) keeps the dialog
// open. Controls are named after their configuration keys.
class FormDialog : public QDialog {
    Q_OBJECT
  public:
    FormDialog(QWidget* parent, const QString& title, const QString& objectName);

    // A titled group in column `column` (0 or 1) of the dialog.
    QFormLayout* AddGroup(const QString& title, int column = 0);
    QLineEdit* AddEdit(QFormLayout* group, const QString& label, const QString& name, std::string& bound);
    // Two radio buttons; `firstChecked` is true while the first is checked.
    void AddRadioPair(QFormLayout* group, const QString& first, const QString& second, const QString& name,
                      bool& firstChecked);
    // A row of radio buttons for an integer choice (index of the checked button).
    void AddRadioChoice(QFormLayout* group, const QStringList& texts, const QString& name, int& bound);
    void AddCheck(QFormLayout* group, const QString& text, const QString& name, bool& bound);
    QComboBox* AddCombo(QFormLayout* group, const QString& label, const QStringList& items,
                        const QString& name, int& index);
    QComboBox* AddTextCombo(QFormLayout* group, const QString& label, const QStringList& items,
                            const QString& name, std::string& text);
    // A path edit with "Browse..." that asks `browse` for a path.
    QLineEdit* AddPathEdit(QFormLayout* group, const QString& name, std::string& bound,
                           std::function<QString()> browse);
    // A free widget below the groups.
    void AddWidget(QWidget* widget);

    void SetAccept(std::function<bool()> accept) { m_accept = std::move(accept); }
    // Adds a "Defaults" button: `reset` changes the struct, the controls follow at once.
    void SetDefaults(std::function<void()> reset);
    // Runs after every load of the controls (enable rules between controls).
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

    void LoadControls();
    void SaveControls();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void OnOk();

    std::vector<QBoxLayout*> m_columns;
    QBoxLayout* m_body = nullptr;
    QBoxLayout* m_extra = nullptr;
    QBoxLayout* m_buttons = nullptr;
    std::vector<std::function<void()>> m_loaders;
    std::vector<std::function<void()>> m_savers;
    std::function<bool()> m_accept;
    std::function<void()> m_onChange;
    bool m_loaded = false;
};
