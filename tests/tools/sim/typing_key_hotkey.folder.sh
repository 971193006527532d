# The shipped folder as it is.
