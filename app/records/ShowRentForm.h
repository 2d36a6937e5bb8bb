#pragma once

// Opens the rent demands: the list of the last ten days' demands, with its detail window.
void ShowRentForm();
