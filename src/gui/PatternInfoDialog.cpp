#include "gui/PatternInfoDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "document/PatternTypes.h"
#include "gui/Language.h"

namespace {
QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QLabel* Value(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The file's own words: never translated.
    label->setProperty("dataText", true);
    return label;
}
} // namespace

void RunPatternInfoDialog(QWidget* parent, const PatternFile& file) {
    QDialog dialog(parent);
    dialog.setObjectName("patternInfoDialog");
    dialog.setWindowTitle("Pattern Information");
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    form->addRow("File name:", Value(Text(file.fileName)));
    form->addRow("Path:", Value(Text(file.path)));
    QStringList fields;
    for (const std::string& field : file.names)
        if (!field.empty()) fields << Text(field);
    form->addRow("Name fields:", Value(fields.join(" | ")));
    form->addRow(file.source == PatternSource::ExactData ? "Directivity:" : "Frequency:",
                 Value(QString::number(file.headerValue)));
    form->addRow("Samples:", Value(QString::number(file.samples.size())));
    layout->addLayout(form);
    auto* doubts = new QGroupBox("Load warnings");
    auto* doubtsLayout = new QVBoxLayout(doubts);
    auto* list = new QListWidget;
    list->setObjectName("loadWarnings");
    for (const std::string& warning : file.warnings) list->addItem(Text(warning));
    if (file.warnings.empty()) list->addItem(Tr("None: the file was read without doubts."));
    doubtsLayout->addWidget(list);
    layout->addWidget(doubts);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(560, 360);
    dialog.exec();
}
