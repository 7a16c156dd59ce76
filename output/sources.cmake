# Nothing here yet.
