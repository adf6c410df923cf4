#include "device/app/pane_list.h"

#include <QDragEnterEvent>
#include <QKeyEvent>

namespace norva::device {

PaneList::PaneList(QWidget* parent, Hooks hooks) : QTreeWidget(parent), hooks_(std::move(hooks)) {
  setRootIsDecorated(false);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(false);
  setDragDropMode(QAbstractItemView::DragDrop);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
}

QMimeData* PaneList::mimeData(const QList<QTreeWidgetItem*>&) const {
  return hooks_.dragData().release();  // Qt's drag takes it
}

void PaneList::dragEnterEvent(QDragEnterEvent* event) {
  if (hooks_.accepts(*event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void PaneList::dragMoveEvent(QDragMoveEvent* event) {
  if (hooks_.accepts(*event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void PaneList::dropEvent(QDropEvent* event) {
  if (hooks_.drop(*event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void PaneList::keyPressEvent(QKeyEvent* event) {
  if (state() != QAbstractItemView::EditingState && hooks_.key(*event)) return;
  QTreeWidget::keyPressEvent(event);
}

}  // namespace norva::device
