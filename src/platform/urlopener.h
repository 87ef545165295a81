#pragma once

class QUrl;

// Opens a web address with the desktop's default handler.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl &url) = 0;
};

class DesktopUrlOpener final : public UrlOpener
{
public:
    void open(const QUrl &url) override;
};
