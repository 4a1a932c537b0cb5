#pragma once

#include "Prompt.h"

#include <QPointer>
#include <QWidget>

// Message boxes and the file dialog of Qt Widgets, modal to the parent window.
class QtPrompt : public Prompt
{
public:
    void setParent(QWidget *parent) { m_parent = parent; }

    PromptAnswer message(const MessageRequest &request) override;
    QString openFile(const OpenFileRequest &request) override;
    void report(const ReportRequest &request) override;

private:
    QPointer<QWidget> m_parent;
};
