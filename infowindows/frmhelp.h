#pragma once

#include "store/database.h"

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QSize>
#include <QString>

#include <memory>

class QFrame;
class QLineEdit;

namespace tarnwick {

class PictureBox;
class ReadOnlyTextBox;

enum class HelpPage { Contents, Principle, Company, Products };

// The help and information window. It holds four page groups, of which the
// selected page's group is the only one visible:
//   Contents   `Text4`  the help text
//   Principle  `Text5`  the selection principle
//   Company    `Frame1` banner `Image1`, text `Text3` ("公司简介"), picture `OLE2` ("公司图片")
//   Products   `Frame2` banner `Image3`, text `Text2` ("产品简介"), picture `OLE1` ("产品图片")
// The company and product fields come from the first row of "公司资料", read
// when the window is created; the window offers no navigation. `Text1` is a
// tiny box outside the visible area that takes the focus whenever a text is
// clicked, so the texts never hold a caret.
class frmhelp : public QDialog
{
    Q_OBJECT
public:
    // Opens the database at `place` (a folder or a server's address, see
    // store::databasePath) and fills the bound fields. When the database, the
    // table or a field cannot be read, the user is told what failed and the
    // boxes stay empty.
    explicit frmhelp(const QString& place, QWidget* parent = nullptr);
    ~frmhelp() override;

    // Shows the page's group only, sizes and captions the window and sets its
    // icon; does not show the window.
    void selectPage(HelpPage page);
    HelpPage page() const { return m_page; }

    // The window's size for a page as the page table gives it: the outer
    // size, title bar and border included, in twips.
    static QSize pageSizeTwips(HelpPage page);
    // The title bar and border those outer sizes allow for (a 26-pixel title
    // and a 2-pixel border); the client area is the outer size less these.
    static constexpr int kFrameWidthTwips = 60;
    static constexpr int kFrameHeightTwips = 450;

    // The four icons of `ImageList1`, in page order.
    const QList<QIcon>& imageList() const { return m_imageList; }

private:
    void buildContents();
    void buildPrinciple();
    void buildCompany();
    void buildProducts();
    ReadOnlyTextBox* addTextBox(QWidget* parent, const QString& name, const QRect& geometry);
    void loadCompanyRecord(const QString& place);

    HelpPage m_page = HelpPage::Contents;
    QList<QIcon> m_imageList;
    QLineEdit* m_focusBox = nullptr; // `Text1`
    ReadOnlyTextBox* m_text4 = nullptr;
    ReadOnlyTextBox* m_text5 = nullptr;
    QFrame* m_frame1 = nullptr;
    QFrame* m_frame2 = nullptr;
    ReadOnlyTextBox* m_text3 = nullptr;
    ReadOnlyTextBox* m_text2 = nullptr;
    PictureBox* m_ole2 = nullptr;
    PictureBox* m_ole1 = nullptr;
    std::shared_ptr<store::Connection> m_connection; // `Data1`, open while the window is
};

// Creates the help window on a page and shows it modally; returns when the
// user closes it. A new window each time, so the fields are read afresh.
void showHelpPage(QWidget* parent, HelpPage page, const QString& place);

} // namespace tarnwick
