#include "gui/FormDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FormDialog::FormDialog(QWidget* parent, const QString& title, const QString& objectName) : QDialog(parent) {
    setWindowTitle(title);
    setObjectName(objectName);
    auto* outer = new QVBoxLayout(this);
    m_body = new QHBoxLayout;
    outer->addLayout(m_body);
    m_extra = new QVBoxLayout;
    outer->addLayout(m_extra);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch();
    auto* ok = new QPushButton("OK");
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("cancelButton");
    m_buttons->addWidget(ok);
    m_buttons->addWidget(cancel);
    outer->addLayout(m_buttons);
    connect(ok, &QPushButton::clicked, this, &FormDialog::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QFormLayout* FormDialog::AddGroup(const QString& title, int column) {
    while (static_cast<int>(m_columns.size()) <= column) {
        auto* col = new QVBoxLayout;
        m_body->addLayout(col);
        m_columns.push_back(col);
    }
    auto* box = new QGroupBox(title);
    auto* form = new QFormLayout(box);
    m_columns[static_cast<size_t>(column)]->addWidget(box);
    return form;
}

QLineEdit* FormDialog::AddEdit(QFormLayout* group, const QString& label, const QString& name,
                               std::string& bound) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    group->addRow(label, edit);
    m_loaders.push_back([edit, &bound] { edit->setText(QString::fromStdString(bound)); });
    m_savers.push_back([edit, &bound] { bound = edit->text().toStdString(); });
    return edit;
}

void FormDialog::AddRadioPair(QFormLayout* group, const QString& first, const QString& second,
                              const QString& name, bool& firstChecked) {
    auto* a = new QRadioButton(first);
    auto* b = new QRadioButton(second);
    a->setObjectName(name);
    b->setObjectName(name + "_2");
    auto* buttons = new QButtonGroup(this);
    buttons->addButton(a);
    buttons->addButton(b);
    auto* row = new QHBoxLayout;
    row->addWidget(a);
    row->addWidget(b);
    group->addRow(row);
    m_loaders.push_back([a, b, &firstChecked] { (firstChecked ? a : b)->setChecked(true); });
    m_savers.push_back([a, &firstChecked] { firstChecked = a->isChecked(); });
    connect(a, &QRadioButton::toggled, this, [this] {
        if (m_onChange) m_onChange();
    });
}

void FormDialog::AddRadioChoice(QFormLayout* group, const QStringList& texts, const QString& name,
                                int& bound) {
    auto* buttons = new QButtonGroup(this);
    for (int i = 0; i < texts.size(); ++i) {
        auto* button = new QRadioButton(texts[i]);
        button->setObjectName(name + "_" + QString::number(i));
        buttons->addButton(button, i);
        group->addRow(button);
    }
    m_loaders.push_back([buttons, &bound] {
        if (QAbstractButton* b = buttons->button(bound)) b->setChecked(true);
    });
    m_savers.push_back([buttons, &bound] { bound = buttons->checkedId(); });
}

void FormDialog::AddCheck(QFormLayout* group, const QString& text, const QString& name, bool& bound) {
    auto* box = new QCheckBox(text);
    box->setObjectName(name);
    group->addRow(box);
    m_loaders.push_back([box, &bound] { box->setChecked(bound); });
    m_savers.push_back([box, &bound] { bound = box->isChecked(); });
    connect(box, &QCheckBox::toggled, this, [this] {
        if (m_onChange) m_onChange();
    });
}

QComboBox* FormDialog::AddCombo(QFormLayout* group, const QString& label, const QStringList& items,
                                const QString& name, int& index) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    group->addRow(label, combo);
    m_loaders.push_back([combo, &index] { combo->setCurrentIndex(index); });
    m_savers.push_back([combo, &index] { index = combo->currentIndex(); });
    return combo;
}

QComboBox* FormDialog::AddTextCombo(QFormLayout* group, const QString& label, const QStringList& items,
                                    const QString& name, std::string& text) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    // The chosen text itself is stored: it stays in the program's own words in every language.
    combo->setProperty("keepTexts", true);
    group->addRow(label, combo);
    m_loaders.push_back([combo, &text] { combo->setCurrentText(QString::fromStdString(text)); });
    m_savers.push_back([combo, &text] { text = combo->currentText().toStdString(); });
    return combo;
}

QLineEdit* FormDialog::AddPathEdit(QFormLayout* group, const QString& name, std::string& bound,
                                   std::function<QString()> browse) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setMinimumWidth(320);
    auto* button = new QPushButton("Browse...");
    button->setObjectName(name + "_browse");
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(button);
    group->addRow(row);
    connect(button, &QPushButton::clicked, this, [edit, browse = std::move(browse)] {
        const QString chosen = browse();
        if (!chosen.isEmpty()) edit->setText(chosen);
    });
    m_loaders.push_back([edit, &bound] { edit->setText(QString::fromStdString(bound)); });
    m_savers.push_back([edit, &bound] { bound = edit->text().toStdString(); });
    return edit;
}

void FormDialog::AddWidget(QWidget* widget) {
    m_extra->addWidget(widget);
}

void FormDialog::SetDefaults(std::function<void()> reset) {
    auto* button = new QPushButton("Defaults");
    button->setObjectName("defaultsButton");
    m_buttons->insertWidget(0, button);
    connect(button, &QPushButton::clicked, this, [this, reset = std::move(reset)] {
        reset();
        LoadControls();
    });
}

void FormDialog::LoadControls() {
    for (auto& load : m_loaders) load();
    if (m_onChange) m_onChange();
}

void FormDialog::SaveControls() {
    for (auto& save : m_savers) save();
}

void FormDialog::showEvent(QShowEvent* event) {
    if (!m_loaded) {
        m_loaded = true;
        LoadControls();
    }
    QDialog::showEvent(event);
}

void FormDialog::OnOk() {
    SaveControls();
    if (!m_accept || m_accept()) accept();
}
