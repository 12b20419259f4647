#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace tarnwick {

class CatalogueEditModel;

// The company's and the products' texts and pictures, which the data sheets
// print. Object names: "companyText", "productText", "companyPicture",
// "productPicture"; the buttons by their captions.
class CompanyPage : public QWidget
{
    Q_OBJECT
public:
    explicit CompanyPage(CatalogueEditModel* model, QWidget* parent = nullptr);

    // After the state changed.
    void refresh();

private:
    CatalogueEditModel* m_model;
    QPlainTextEdit* m_companyText = nullptr;
    QPlainTextEdit* m_productText = nullptr;
    QLabel* m_companyPicture = nullptr;
    QLabel* m_productPicture = nullptr;
};

} // namespace tarnwick
