# 10,000 command-line arguments, all the same replay.
replay a.spr racer=rokan2
args-python: ["a.spr"] * 10000
stdout-python: "\ta.spr loaded!\n\tappended at pos 0\n" + "\ta.spr loaded!\n\tdata already exist in db\n" * 9999 + "ZEB> "
