#pragma once

// Opens the lease listings: the list of the last ten days' unlet listings, with its detail window.
void ShowLeaseForm();
