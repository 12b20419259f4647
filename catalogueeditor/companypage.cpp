#include "catalogueeditor/companypage.h"

#include "catalogueeditor/catalogueeditmodel.h"
#include "catalogueeditor/editorparts.h"
#include "catalogueeditor/editortexts.h"
#include "store/names.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarnwick {

namespace n = store::names;
using editorparts::commandButton;

CompanyPage::CompanyPage(CatalogueEditModel* model, QWidget* parent) : QWidget(parent), m_model(model)
{
    auto* layout = new QGridLayout(this);
    auto makeSection = [&](int row, const QString& textField, const QString& pictureField, QPlainTextEdit** text,
                           QLabel** picture, const QString& textName, const QString& pictureName,
                           const std::function<QString&(store::CompanyInfo&)>& textOf,
                           const std::function<QByteArray&(store::CompanyInfo&)>& pictureOf) {
        layout->addWidget(new QLabel(textField, this), row, 0);
        *text = new QPlainTextEdit(this);
        (*text)->setObjectName(textName);
        layout->addWidget(*text, row + 1, 0);
        layout->addWidget(new QLabel(pictureField, this), row, 1);
        *picture = new QLabel(this);
        (*picture)->setObjectName(pictureName);
        (*picture)->setFixedSize(260, 200);
        (*picture)->setAlignment(Qt::AlignCenter);
        (*picture)->setFrameShape(QFrame::StyledPanel);
        layout->addWidget(*picture, row + 1, 1);
        auto* buttons = new QVBoxLayout;
        QPushButton* change = commandButton(editortext::changePicture().arg(pictureField), this);
        QPushButton* clear = commandButton(editortext::clearPicture().arg(pictureField), this);
        buttons->addWidget(change);
        buttons->addWidget(clear);
        buttons->addStretch();
        layout->addLayout(buttons, row + 1, 2);
        QPlainTextEdit* box = *text;
        connect(box, &QPlainTextEdit::textChanged, this, [this, box, textField, textOf] {
            if (m_model->isApplying())
                return;
            const QString value = box->toPlainText();
            m_model->edit(editortext::editField().arg(textField), QStringLiteral("company:") + textField,
                          [&](CatalogueEditorState& s) { textOf(s.company) = value; });
        });
        connect(change, &QPushButton::clicked, this, [this, pictureField, pictureOf] {
            const QString title = editortext::choosePicture().arg(pictureField);
            if (const std::optional<QByteArray> bytes = editorparts::choosePictureFile(this, title))
                m_model->edit(title, QString(), [&](CatalogueEditorState& s) { pictureOf(s.company) = *bytes; });
        });
        connect(clear, &QPushButton::clicked, this, [this, pictureField, pictureOf] {
            m_model->edit(editortext::clearPicture().arg(pictureField), QString(),
                          [&](CatalogueEditorState& s) { pictureOf(s.company).clear(); });
        });
    };
    makeSection(
        0, n::companyText(), n::companyPicture(), &m_companyText, &m_companyPicture, QStringLiteral("companyText"),
        QStringLiteral("companyPicture"), [](store::CompanyInfo& c) -> QString& { return c.companyText; },
        [](store::CompanyInfo& c) -> QByteArray& { return c.companyPicture; });
    makeSection(
        2, n::productText(), n::productPicture(), &m_productText, &m_productPicture, QStringLiteral("productText"),
        QStringLiteral("productPicture"), [](store::CompanyInfo& c) -> QString& { return c.productText; },
        [](store::CompanyInfo& c) -> QByteArray& { return c.productPicture; });
    layout->setColumnStretch(0, 1);
}

void CompanyPage::refresh()
{
    const store::CompanyInfo& company = m_model->state().company;
    if (m_companyText->toPlainText() != company.companyText)
        m_companyText->setPlainText(company.companyText);
    if (m_productText->toPlainText() != company.productText)
        m_productText->setPlainText(company.productText);
    for (auto [label, bytes] :
         {std::pair{m_companyPicture, &company.companyPicture}, std::pair{m_productPicture, &company.productPicture}}) {
        const QPixmap pixmap = editorparts::pictureOf(*bytes, label->size());
        label->setPixmap(pixmap);
        if (pixmap.isNull())
            label->setText(editortext::noPicture());
    }
}

} // namespace tarnwick
