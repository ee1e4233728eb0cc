// MainWindow: the Edit menu: Undo and Redo, which name the edit they take back or do again, and
// the cell clipboard.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "CellEditing.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

void MainWindow::createEditMenu()
{
    auto *menu = new QMenu(tr("&Edit"), this);
    menu->setObjectName(QStringLiteral("menuEdit"));
    menuBar()->insertMenu(ui->menuDevice->menuAction(), menu);

    UndoStack *stack = m_document.undoStack();
    m_undoAction = menu->addAction(
        QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)),
        tr("&Undo"));
    m_undoAction->setObjectName(QStringLiteral("actionUndo"));
    m_undoAction->setShortcut(QKeySequence::Undo);
    m_redoAction = menu->addAction(QIcon::fromTheme(QStringLiteral("edit-redo"),
                                                    style()->standardIcon(QStyle::SP_ArrowForward)),
                                   tr("&Redo"));
    m_redoAction->setObjectName(QStringLiteral("actionRedo"));
    m_redoAction->setShortcut(QKeySequence::Redo);
    connect(m_undoAction, &QAction::triggered, stack, &UndoStack::undo);
    connect(m_redoAction, &QAction::triggered, stack, &UndoStack::redo);

    const auto update = [this, stack]() {
        m_undoAction->setEnabled(stack->canUndo());
        m_undoAction->setText(stack->canUndo() ? tr("&Undo %1").arg(stack->undoText())
                                               : tr("&Undo"));
        m_redoAction->setEnabled(stack->canRedo());
        m_redoAction->setText(stack->canRedo() ? tr("&Redo %1").arg(stack->redoText())
                                               : tr("&Redo"));
    };
    connect(stack, &UndoStack::indexChanged, this, update);
    connect(stack, &UndoStack::undoTextChanged, this, update);
    connect(stack, &UndoStack::redoTextChanged, this, update);
    update();

    m_cellEditing = new CellEditing(this, &m_document, m_matrices, ui->tabWidget);
    m_cellEditing->addActions(menu);

    ui->toolBar->insertActions(ui->actionWrite, {m_undoAction, m_redoAction});
    ui->toolBar->insertSeparator(ui->actionWrite);
}
