#pragma once

#include "ui/Prompt.h"

#include <QList>
#include <QQueue>

// Answers message boxes and the file dialog from queues, and records what was asked.
// An unscripted box is answered with its default button; an unscripted dialog is cancelled.
class ScriptedPrompt : public Prompt
{
public:
    PromptAnswer message(const MessageRequest &request) override;
    QString openFile(const OpenFileRequest &request) override;

    QQueue<PromptAnswer> answers;
    QQueue<QString> files;
    QList<MessageRequest> shown;
    QList<OpenFileRequest> dialogs;
};
