// UndoStack: the history of a document's edits.
#include "UndoStack.h"

UndoStack::UndoStack(QObject *parent) : QObject(parent) {}

UndoStack::~UndoStack() = default;

UndoStack::State UndoStack::state() const
{
    return {m_index, isClean(), canUndo(), canRedo(), undoText(), redoText()};
}

void UndoStack::announce(const State &before)
{
    const State now = state();
    if (now.index != before.index)
        emit indexChanged(now.index);
    if (now.clean != before.clean)
        emit cleanChanged(now.clean);
    if (now.canUndo != before.canUndo)
        emit canUndoChanged(now.canUndo);
    if (now.canRedo != before.canRedo)
        emit canRedoChanged(now.canRedo);
    if (now.undoText != before.undoText)
        emit undoTextChanged(now.undoText);
    if (now.redoText != before.redoText)
        emit redoTextChanged(now.redoText);
}

QString UndoStack::undoText() const
{
    return canUndo() ? m_commands[std::size_t(m_index - 1)]->text() : QString();
}

QString UndoStack::redoText() const
{
    return canRedo() ? m_commands[std::size_t(m_index)]->text() : QString();
}

void UndoStack::push(std::unique_ptr<UndoCommand> command)
{
    if (!command)
        return;
    const State before = state();
    command->redo();

    // What could be redone is gone; so is the clean state if it lay there.
    if (m_cleanIndex > m_index)
        m_cleanIndex = -1;
    m_commands.resize(std::size_t(m_index));

    UndoCommand *top = m_index > 0 ? m_commands.back().get() : nullptr;
    const bool mayMerge = top != nullptr && top->id() >= 0 && top->id() == command->id()
        && m_cleanIndex != m_index;
    if (mayMerge && top->mergeWith(command.get())) {
        if (top->isObsolete()) {
            m_commands.pop_back();
            --m_index;
        }
    } else {
        m_commands.push_back(std::move(command));
        ++m_index;
    }
    announce(before);
}

void UndoStack::undo()
{
    if (!canUndo())
        return;
    const State before = state();
    m_commands[std::size_t(m_index - 1)]->undo();
    --m_index;
    announce(before);
}

void UndoStack::redo()
{
    if (!canRedo())
        return;
    const State before = state();
    m_commands[std::size_t(m_index)]->redo();
    ++m_index;
    announce(before);
}

void UndoStack::setClean()
{
    const State before = state();
    m_cleanIndex = m_index;
    announce(before);
}

void UndoStack::clear()
{
    const State before = state();
    m_commands.clear();
    m_index = 0;
    m_cleanIndex = 0;
    announce(before);
}
