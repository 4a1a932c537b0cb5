#include "Prompt.h"

MessageRequest stopBox(const QString &title, const QString &text)
{
    return {title, text, PromptIcon::Stop, PromptButtons::Ok, PromptAnswer::Ok};
}
