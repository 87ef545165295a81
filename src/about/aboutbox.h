#pragma once

#include <QDialog>

class UrlOpener;

// The about box: the program, the tool it relies on and the maker's addresses.
class AboutBox final : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(UrlOpener &urls, QWidget *parent = nullptr);

private:
    UrlOpener &m_urls;
};
