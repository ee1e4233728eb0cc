// UndoStack: the history of a document's edits, with merging and a clean state. The core links
// Qt Core only, and Qt 6 keeps QUndoStack in Qt Gui, so it has its own small one with the same
// rules.
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class UndoCommand
{
public:
    explicit UndoCommand(QString text) : m_text(std::move(text)) {}
    virtual ~UndoCommand() = default;
    UndoCommand(const UndoCommand &) = delete;
    UndoCommand &operator=(const UndoCommand &) = delete;

    virtual void redo() = 0;
    virtual void undo() = 0;
    // Commands with the same id >= 0 may merge; -1 never merges.
    virtual int id() const { return -1; }
    // Takes other's effect into this command; true when it did. other has been done already.
    virtual bool mergeWith(const UndoCommand *other)
    {
        Q_UNUSED(other);
        return false;
    }
    // A command whose merged effect is nothing is dropped from the history.
    virtual bool isObsolete() const { return false; }

    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }

private:
    QString m_text;
};

class UndoStack : public QObject
{
    Q_OBJECT

public:
    explicit UndoStack(QObject *parent = nullptr);
    ~UndoStack() override;

    // Does the command and puts it on the stack, dropping whatever could be redone; merges it
    // into the top command when both have the same id and the top is not the clean state.
    void push(std::unique_ptr<UndoCommand> command);

    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < int(m_commands.size()); }
    QString undoText() const;
    QString redoText() const;
    int count() const { return int(m_commands.size()); }
    int index() const { return m_index; }

    bool isClean() const { return m_index == m_cleanIndex; }
    // Marks the present state as the saved one.
    void setClean();
    // Forgets every command; the empty history is clean.
    void clear();

public Q_SLOTS:
    void undo();
    void redo();

Q_SIGNALS:
    void indexChanged(int index);
    void cleanChanged(bool clean);
    void canUndoChanged(bool canUndo);
    void canRedoChanged(bool canRedo);
    void undoTextChanged(const QString &text);
    void redoTextChanged(const QString &text);

private:
    struct State
    {
        int index;
        bool clean;
        bool canUndo;
        bool canRedo;
        QString undoText;
        QString redoText;
    };
    State state() const;
    void announce(const State &before);

    std::vector<std::unique_ptr<UndoCommand>> m_commands;
    int m_index = 0;
    // -1: the clean state was dropped from the history and cannot be reached again.
    int m_cleanIndex = 0;
};
