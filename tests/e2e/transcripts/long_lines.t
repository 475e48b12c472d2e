# A 100,000-character line and a 300-character file name are read whole.
stdin-python: "x" * 100000 + "\nl " + "n" * 300 + "\nq\n"
stdout-python: "ZEB> \tpress h (or help) for help\nZEB> \tError opening file: " + "n" * 300 + "\nZEB> "
