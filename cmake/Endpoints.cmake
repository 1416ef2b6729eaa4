# The central's endpoints compiled into the core.
