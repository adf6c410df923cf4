#include "editor/app/set_position_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/editor_messages.h"
#include "editor/sync_edits.h"

namespace norva::editor {
namespace {

QString qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SetPositionDialog::SetPositionDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setWindowTitle(qt(text::kSetPositionTitle));
  field_ = new QLineEdit(QStringLiteral("0"), this);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(qt(text::kPositionLabel), this));
  row->addWidget(field_);
  row->addWidget(new QLabel(qt(text::kPositionUnit), this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &SetPositionDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &SetPositionDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
}

void SetPositionDialog::accept() {
  bool isNumber = false;
  const qlonglong entered = field_->text().trimmed().toLongLong(&isNumber);
  if (!isNumber || !enteredPositionSeconds(entered)) {
    prompter_.show({std::string(text::kPositionRange), std::string(text::kAppName),
                    MessageIcon::Warning, MessageButtons::Ok});
    field_->setFocus();
    field_->selectAll();
    return;
  }
  milliseconds_ = entered;
  QDialog::accept();
}

std::optional<int64_t> SetPositionDialog::ask(Prompter& prompter, QWidget* parent) {
  SetPositionDialog dialog(prompter, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.milliseconds();
}

}  // namespace norva::editor
