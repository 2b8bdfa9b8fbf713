#include "pages/texrange.h"

CTexRange::CTexRange(UserInteraction& interaction, QWidget* parent)
    : QWidget(parent), mInteraction(interaction), mScheme(interaction) {}

PageScheme& CTexRange::Scheme() { return mScheme; }

void CTexRange::Activate() {}
void CTexRange::LookupRange() {}
void CTexRange::PlotChart() {}
void CTexRange::ResetXRange() {}
void CTexRange::ResetYRange() {}
void CTexRange::ResetZRange() {}
void CTexRange::ResetAllRanges() {}
void CTexRange::LoadSchemeFromDialog() {}
void CTexRange::ShowSchemeDetails() {}
