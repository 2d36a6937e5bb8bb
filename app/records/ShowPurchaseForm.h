#pragma once

// Opens the purchase demands: the list of the last ten days' demands, with its detail window.
void ShowPurchaseForm();
