# Without arguments the first output is the prompt; end of input then ends
# the session quietly with status 0.
stdin:
stdout:
|ZEB> %
