#pragma once
// The list of a pane of the explorer window: a report list with extended selection whose
// drags, drops and keys are the pane's. The desktop pane and the memory views each give theirs.
#include <QMimeData>
#include <QStringList>
#include <QTreeWidget>
#include <functional>
#include <memory>

namespace norva::device {

class PaneList : public QTreeWidget {
  Q_OBJECT

 public:
  struct Hooks {
    QStringList dragTypes;                                 // what a drag from here carries
    std::function<std::unique_ptr<QMimeData>()> dragData;  // the selection's drag data
    std::function<bool(const QMimeData&)> accepts;         // a drag may end here
    std::function<bool(const QMimeData&)> drop;            // it ended here
    std::function<bool(const QKeyEvent&)> key;             // true when the pane took the key
  };

  PaneList(QWidget* parent, Hooks hooks);

 protected:
  QStringList mimeTypes() const override { return hooks_.dragTypes; }
  QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
  Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Hooks hooks_;
};

}  // namespace norva::device
