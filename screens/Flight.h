#pragma once

#include "screens/ListForm.h"

class QGroupBox;
class QRadioButton;
class TDBLookupComboBox;
class TdmAir;
class TdmFlight;
class TdmRoute;
class TframeDateBetween;

// "Рейсы": the flights, searched by number, departure dates, route, airliner
// and status. The route and airliner choosers list the routes and airliners
// windows' datasets, so a search left there narrows them here too.
class TfrmFlight : public TListForm {
    Q_OBJECT
public:
    // `airList` and `routeList` are the airliners and routes windows that the
    // edit window's "Найти" buttons show.
    TfrmFlight(TdmFlight* module, TdmRoute* route, TdmAir* air, TForm* airList, TForm* routeList,
               QWidget* owner = nullptr);

    void setFilterStatusFlight();

protected:
    TEditForm* createEditForm() override;
    void addSearchTerms() override;
    void clearSearch() override;

private:
    void buildStatusGroup();

    TdmFlight* FModule;
    TdmRoute* FRoute;
    TdmAir* FAir;
    TForm* FAirList;
    TForm* FRouteList;
    TDBLookupComboBox* cbRoute;
    TDBLookupComboBox* cbAir;
    QGroupBox* gbDatestamp;
    TframeDateBetween* FDatestamp;
    QGroupBox* gbStatus = nullptr;
    QRadioButton* rbStatusAll = nullptr;
    QRadioButton* rbStatusOpen = nullptr;
    QRadioButton* rbStatusClose = nullptr;
};

extern TfrmFlight* frmFlight;
