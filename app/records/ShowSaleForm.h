#pragma once

// Opens the sale listings: the list of the last ten days' unsold listings, with its detail window.
void ShowSaleForm();
