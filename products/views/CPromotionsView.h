#pragma once

#include "app/ui/CZevBaseView.h"
#include "products/Promotions.h"
#include "products/views/ProductsViewContext.h"

#include <vector>

class QCheckBox;
class QPushButton;

namespace zev {

class CProductTable;

// The promotions screen: the promotions running today with their items,
// optionally only the items of the current account's catalogue; the chosen
// item's details, or the item added to the account's order guide.
class CPromotionsView : public CZevBaseView {
public:
    static constexpr zev::Screen kScreen = zev::Screen::Promotions;

    CPromotionsView(IScreenHost& host, ProductsViewContext context, QWidget* parent = nullptr);

    void Fill();
    void OnAddToGuide();
    void OnDetails();

    const std::vector<Promotions::Promotion>& Shown() const { return m_promotions; }
    CProductTable* PromotionList() const { return m_headers; }
    CProductTable* ItemList() const { return m_lines; }
    QCheckBox* CatalogFilter() const { return m_catalogOnly; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* DetailsButton() const { return m_details; }

protected:
    void OnInitialUpdate() override;

private:
    void ShowLines(int row);
    const Promotions::Line* CurrentLine() const;
    void UpdateButtons();

    ProductsViewContext m_ctx;
    std::vector<Promotions::Promotion> m_promotions;
    CProductTable* m_headers;
    CProductTable* m_lines;
    QCheckBox* m_catalogOnly;
    QPushButton* m_add;
    QPushButton* m_details;
};

CZevBaseView* CreatePromotionsView(IScreenHost& host, ProductsViewContext context);

} // namespace zev
