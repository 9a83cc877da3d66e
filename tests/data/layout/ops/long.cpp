int f() {
    int a = 1;
    a += 2;
    a += 3;
    return a;
}
