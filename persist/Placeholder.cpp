// Replaced as the record format lands.
