#include "ScriptedPrompt.h"

PromptAnswer ScriptedPrompt::message(const MessageRequest &request)
{
    shown.append(request);
    return answers.isEmpty() ? request.defaultAnswer : answers.dequeue();
}

QString ScriptedPrompt::openFile(const OpenFileRequest &request)
{
    dialogs.append(request);
    return files.isEmpty() ? QString() : files.dequeue();
}
