#pragma once

#include <QTextBrowser>

// Read-only rich-text area whose height always equals its content's height.
class CAutoSizeLabel : public QTextBrowser
{
    Q_OBJECT
public:
    explicit CAutoSizeLabel(QWidget *parent = nullptr);

signals:
    void hightChanged(int nHeight);

public slots:
    void OnTextAreaChanged();

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
};
